#include "builder/basReplaceIcon.h"

#include "core/AppFolders.h"
#include "core/Events.h"
#include "core/FileReplacement.h"
#include "core/PathRules.h"
#include "core/basByteFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::IconPicker)
};

constexpr qint64 kProgramScanLimit = 2000000;
constexpr qint64 kFileScanLimit = 10240000;
constexpr qint64 kShortestScanned = 21;
constexpr quint8 kImageHeaderLength = 40;
constexpr qint64 kIconFileHeaderLength = 6;
constexpr qint64 kIconEntryLength = 16;
constexpr qint64 kDescriptionLength = 12;

bool IsImageHeader(const quint8* at, qint32& width, qint32& bits) {
  width = at[4];
  bits = at[14];
  return (width == 32 || width == 48) && at[8] == 2 * width && at[12] == 1 &&
         (bits == 8 || bits == 24 || bits == 32);
}

QString ImageText(qsizetype number, qint32 width, qint32 bits) {
  return Texts::tr("图标 - %1  %2*%2  %3位")
      .arg(QString::number(number).rightJustified(3, u'0'))
      .arg(width)
      .arg(u' ' + QString::number(bits));
}

QByteArray LittleEndian16(quint16 value) {
  QByteArray bytes(2, Qt::Uninitialized);
  qToLittleEndian(value, bytes.data());
  return bytes;
}

QByteArray LittleEndian32(quint32 value) {
  QByteArray bytes(4, Qt::Uninitialized);
  qToLittleEndian(value, bytes.data());
  return bytes;
}

}  // namespace

qint32 IconImageLength(qint32 width, qint32 bits) {
  const qint32 colour_row = (width * bits + 31) / 32 * 4;
  const qint32 mask_row = (width + 31) / 32 * 4;
  const qint32 colour_table = bits == 8 ? 256 * 4 : 0;
  return kImageHeaderLength + colour_table + width * (colour_row + mask_row);
}

IconImageList ScanIconImages(const QString& path) {
  IconImageList list;
  qint64 length = QFileInfo(path).size();
  if (FileTypeOfPath(path) == u"EXE") {
    length = qMin(length, kProgramScanLimit);
  } else if (length > kFileScanLimit) {
    return list;
  }
  if (length < kShortestScanned || ReadFileBytes(list.bytes, path, 0, length) != length) return list;

  const auto* bytes = reinterpret_cast<const quint8*>(list.bytes.constData());
  const qint64 last = length - 20;
  for (qint64 p = 1; p <= last; ++p) {
    const void* hit = std::memchr(bytes + p, kImageHeaderLength, size_t(last - p + 1));
    if (hit == nullptr) break;
    p = static_cast<const quint8*>(hit) - bytes;
    qint32 width = 0;
    qint32 bits = 0;
    if (!IsImageHeader(bytes + p, width, bits)) continue;
    const qint32 image_length = IconImageLength(width, bits);
    if (p + image_length > length) continue;
    list.images.append(IconImageEntry{p, image_length, width, bits, ImageText(list.images.size() + 1, width, bits)});
    ProcessPendingEvents();
  }
  if (list.images.isEmpty()) list.bytes.clear();
  return list;
}

QByteArray SingleIconFileBytes(const IconImageList& list, qsizetype index) {
  if (index < 0 || index >= list.images.size()) return QByteArray();
  const IconImageEntry& image = list.images[index];
  QByteArray file = LittleEndian16(0) + LittleEndian16(1) + LittleEndian16(1);
  file += char(image.width);
  file += char(image.width);
  file += QByteArray(2, '\0');  // colour count, reserved
  file += LittleEndian16(1) + LittleEndian16(quint16(image.bits));
  file += LittleEndian32(quint32(image.length)) + LittleEndian32(quint32(kIconFileHeaderLength + kIconEntryLength));
  file += list.bytes.sliced(image.start, image.length);
  return file;
}

bool WriteSingleIconFile(const QString& path, const IconImageList& list, qsizetype index) {
  const QByteArray bytes = SingleIconFileBytes(list, index);
  if (bytes.isEmpty()) return false;
  return ReplaceFileContents(path, bytes);
}

std::optional<IconImageData> ReadIconFile(const QString& path) {
  QFile file;
  if (!OpenRegularFile(file, path)) return std::nullopt;
  constexpr qint64 kHeadLength = kIconFileHeaderLength + kIconEntryLength;
  QByteArray head;
  if (ReadFileBytes(head, file, 0, kHeadLength) != kHeadLength || qFromLittleEndian<quint16>(head.constData() + 4) == 0) {
    return std::nullopt;
  }
  const char* entry = head.constData() + kIconFileHeaderLength;
  const qint64 length = qFromLittleEndian<quint32>(entry + 8);
  const qint64 offset = qFromLittleEndian<quint32>(entry + 12);
  IconImageData icon;
  icon.description = QByteArray(entry, kDescriptionLength);
  if (ReadFileBytes(icon.image, file, offset, length) != length) return std::nullopt;
  return icon;
}

IconReplacement ReplaceIconInFile(const QString& icon_path, const QString& program_path) {
  const std::optional<IconImageData> icon = ReadIconFile(icon_path);
  QFile program;
  if (!icon || !OpenRegularFile(program, program_path)) return IconReplacement::Unchanged;
  QByteArray bytes;
  if (program.size() > 0 && ReadFileBytes(bytes, program, 0, program.size()) != program.size()) {
    return IconReplacement::Failed;
  }
  program.close();
  const IconReplacement result = ReplaceIconResources(bytes, *icon);
  // Replaced whole, so that a failed write leaves the program as it was.
  if (result == IconReplacement::Replaced && !ReplaceFileContents(program_path, bytes)) return IconReplacement::Failed;
  return result;
}

bool ReplaceExeIcon(const QString& icon_path, const QString& program_path) {
  return ReplaceIconInFile(icon_path, program_path) != IconReplacement::Failed;
}

QString IconReplacementFailedText() { return Texts::tr("替换图标失败"); }

QString TempIconPath() { return TempFolder() + u"tempicon.ico"_s; }

QString ConfirmedIconPath(const BuildState& state) {
  return state.CustomIcon && QFileInfo::exists(CustomIconPath()) ? CustomIconPath() : QString();
}

bool ShouldScanIconFile(const QString& path, const QString& last_scanned) {
  return FileTypeOfPath(path) != u"LNK" && IsPathSet(path) && QFileInfo(path).isFile() && path != last_scanned;
}

void StartIconChoice() { QFile::remove(TempIconPath()); }

bool SelectIconImage(const IconImageList& list, qsizetype index) {
  QDir().mkpath(TempFolder());
  return WriteSingleIconFile(TempIconPath(), list, index);
}

void ConfirmIconChoice(BuildState& state) {
  ProcessPendingEvents();
  if (!QFileInfo::exists(TempIconPath())) return;
  QString error;
  if (CopyFileContents(TempIconPath(), CustomIconPath(), &error)) state.CustomIcon = true;
}

void ForgetCustomIcon(BuildState& state) {
  state.CustomIcon = false;
  QFile::remove(CustomIconPath());
}

}  // namespace pivlo
