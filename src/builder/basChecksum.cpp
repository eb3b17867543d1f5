#include "builder/basChecksum.h"

#include "core/basByteFiles.h"

#include <zlib.h>

namespace pivlo {

QString ChecksumText(QByteArrayView bytes) {
  const uLong crc = crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()),
                            size_t(bytes.size()));
  return QString::number(quint32(crc), 16).toUpper();
}

QString FileChecksumText(const QString& path) {
  QByteArray bytes;
  // Missing, empty and unreadable files all read as nothing.
  if (ReadFileBytes(bytes, path, 0, -1) <= 0) return QString();
  return ChecksumText(bytes);
}

}  // namespace pivlo
