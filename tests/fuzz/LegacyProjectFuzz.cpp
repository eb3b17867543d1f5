// Any bytes read as an older-form project: never a crash, a hang or a huge allocation,
// and what is read goes into a model that the project writer can write.

#include "core/LegacyProject.h"
#include "core/ProjectBag.h"
#include "core/basPropertyBag.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  const std::optional<PropertyBag> legacy = ParseLegacyProject(buffer);
  if (!legacy) return 0;
  ProjectModel model(ModelEnvironment{1366, 768, QStringLiteral("Arial"), 64.0});
  ApplyLegacyProject(model, *legacy);
  WriteProjectToBag(model);
  SharedBag().Clear();
  return 0;
}
