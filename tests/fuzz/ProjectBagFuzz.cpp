// Any bag read as a project: never a crash, a hang or a huge allocation (counts come from
// the file), and a project read from it writes and reads back to the same key set.

#include "core/ProjectBag.h"
#include "core/basPropertyBag.h"

#include <cstdint>
#include <cstdlib>

namespace {

pivlo::ProjectModel ReadModel() {
  pivlo::ProjectModel model(pivlo::ModelEnvironment{1366, 768, QStringLiteral("Arial"), 64.0});
  pivlo::ReadProjectFromBag(model);
  return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  if (!SharedBag().SetContents(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)))) return 0;
  ProjectModel model = ReadModel();
  WriteProjectToBag(model);
  const QByteArray written = SharedBag().Contents();
  ProjectModel again = ReadModel();
  WriteProjectToBag(again);
  if (SharedBag().Contents() != written) std::abort();
  SharedBag().Clear();
  return 0;
}
