#include "core/SettingsFile.h"

#include "core/AppFolders.h"
#include "core/LegacyProject.h"
#include "core/ProjectBag.h"
#include "core/ProjectKeys.h"
#include "core/basPropertyBag.h"

#include <QFileInfo>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kPromptKey = u"IsPrompt1"_s;

}  // namespace

void ReadSettingsFile(ProjectModel& model, ProjectView& view) {
  const QString path = SettingsFilePath();
  if (!QFileInfo(path).isFile()) return;
  if (LoadBagFromFile(path)) {
    const QString prompt = GetValue(kPromptKey).ToText();
    if (!prompt.isEmpty()) model.flags.PromptFlag = BoolOf(prompt).value_or(model.flags.PromptFlag);
    model.flags.SettingsOnlyRead = true;
    ReadProjectFromBag(model);
    model.flags.SettingsOnlyRead = false;
  } else {
    ReadLegacyProject(model, path);
  }
  view.ApplySettingsToControls();
}

bool WriteSettingsFile(ProjectModel& model) {
  if (model.pictures.size() < 2) return true;
  model.flags.SettingsOnlyWrite = true;
  PutValue(kPromptKey, model.flags.PromptFlag ? u"True"_s : u"False"_s);
  WriteProjectToBag(model);
  const bool saved = SaveBagToFile(SettingsFilePath());
  model.flags.SettingsOnlyWrite = false;
  return saved;
}

}  // namespace pivlo
