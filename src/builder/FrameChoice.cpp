#include "builder/FrameChoice.h"

#include "builder/basResourcePackages.h"
#include "core/PathRules.h"
#include "core/basByteFiles.h"
#include "media/basGdiPlus.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace pivlo {

FrameEntryKind FrameEntryKindAt(int row, int count, bool packages_found) {
  if (row <= 0) return FrameEntryKind::kNone;
  if (row == count - 1) return FrameEntryKind::kDownload;
  if (row == count - 2) return FrameEntryKind::kCustom;
  return packages_found ? FrameEntryKind::kPackage : FrameEntryKind::kTest;
}

qint32 FrameNumberOf(FrameEntryKind kind, int row) {
  switch (kind) {
    case FrameEntryKind::kCustom: return kCustomFrameNumber;
    case FrameEntryKind::kTest: return kTestFrameNumber;
    case FrameEntryKind::kPackage: return row;
    default: return kNoFrameNumber;
  }
}

std::optional<QByteArray> FrameBytesOfNumber(qint32 number, const QString& custom_path) {
  if (number == kCustomFrameNumber) {
    if (!IsPathSet(custom_path) || !QFileInfo(custom_path).isFile()) return std::nullopt;
    if (ProbeImageFile(custom_path, false).Format != u"PNG") return std::nullopt;
    const PreparedPicture prepared = PreparePictureBytes(custom_path);
    if (prepared.used) return prepared.bytes;
    QByteArray bytes;
    if (ReadFileBytes(bytes, custom_path, 0, -1) <= 0) return std::nullopt;
    return bytes;
  }
  if (number == kTestFrameNumber) return ReadPackageEntry(u"TESTFRAME.PNG"_s);
  if (number < 1) return std::nullopt;
  QByteArray bytes = ReadFrameEntry(number);
  return bytes.isEmpty() ? std::nullopt : std::optional<QByteArray>(std::move(bytes));
}

std::optional<QByteArray> RestoreProjectFrame(ProjectSettings& settings, bool has_pictures) {
  const bool custom = settings.picture_frame_num == kCustomFrameNumber;
  if (custom && has_pictures) {
    std::optional<QByteArray> bytes = FrameBytesOfNumber(kCustomFrameNumber, settings.picture_frame_image);
    if (bytes) return bytes;
  }
  if (!custom || !IsPathSet(settings.picture_frame_image) || QFileInfo::exists(settings.picture_frame_image)) {
    settings.picture_frame_num = kNoFrameNumber;
    settings.picture_frame_image.clear();
  }
  return std::nullopt;
}

}  // namespace pivlo
