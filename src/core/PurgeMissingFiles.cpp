#include "core/PurgeMissingFiles.h"

#include "core/PathRules.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pivlo {
namespace {

bool FileExists(const QString& path) {
  return QFileInfo(path).isFile();
}

template <typename Entry>
QList<qsizetype> MissingRows(const QList<Entry>& entries) {
  QList<qsizetype> rows;
  for (qsizetype i = 0; i < entries.size(); ++i) {
    if (!FileExists(entries[i].file)) rows.append(i);
  }
  return rows;
}

// An opening or ending: switched off when it has nothing to show, otherwise a missing
// picture is dropped.
void PurgeTitlePicture(bool& enabled, QString& picture, const QString& text) {
  if (enabled && !IsPathSet(picture) && text.isEmpty()) {
    enabled = false;
  } else if (IsPathSet(picture) && !FileExists(picture)) {
    picture.clear();
  }
}

}  // namespace

void PurgeMissingFiles(ProjectModel& model, Prompter& prompter) {
  bool told = false;
  const auto tell = [&] {
    if (told) return;
    told = true;
    prompter.ShowMessage(QCoreApplication::translate("pivlo::ProjectFiles",
                                                     "找不到屏幕保护配置中的某些文件，程序将自动将这些文件从列表中清除。\r"
                                                     "这可能是因为你已经把这些文件删除或移动到其他目录。"),
                         MessageIcon::Information);
  };
  if (const QList<qsizetype> rows = MissingRows(model.pictures); !rows.isEmpty()) {
    tell();
    model.RemovePictures(rows);
  }
  if (const QList<qsizetype> rows = MissingRows(model.songs); !rows.isEmpty()) {
    tell();
    model.RemoveSongs(rows);
  }
  model.lyric_files.removeIf([](const QString& path) { return !FileExists(path); });

  ProjectSettings& s = model.settings;
  if (s.background_kind == u"3") {
    if (!IsPathSet(s.background_picture)) {
      s.background_kind = QStringLiteral("1");
    } else if (!FileExists(s.background_picture)) {
      s.background_picture.clear();
      s.background_kind = QStringLiteral("1");
    }
  }
  PurgeTitlePicture(s.enable_opening, s.opening_image, s.title_opening);
  PurgeTitlePicture(s.enable_ending, s.ending_image, s.title_ending);
  if (IsPathSet(s.logo_image) && !FileExists(s.logo_image)) s.logo_image.clear();
}

}  // namespace pivlo
