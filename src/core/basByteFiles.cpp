#include "core/basByteFiles.h"

#include "core/Events.h"

#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pivlo {
namespace {

constexpr qint64 kReadChunk = 12 * 1024 * 1024;   // reads longer than this are chunked
constexpr qint64 kWriteChunk = 2 * 1024 * 1024;   // writes of this size or more are chunked

bool ReadRange(QFile& file, char* out, qint64 offset, qint64 length) {
  const bool chunked = length > kReadChunk - 1;
  for (qint64 done = 0; done < length;) {
    const qint64 step = chunked ? std::min(kReadChunk, length - done) : length;
    if (!file.seek(offset + done) || file.read(out + done, step) != step) return false;
    done += step;
    if (chunked) ProcessPendingEvents();
  }
  return true;
}

bool WriteRange(QFile& file, const QByteArray& data, qint64 offset) {
  const qint64 length = data.size();
  const bool chunked = length >= kWriteChunk;
  for (qint64 done = 0; done < length;) {
    const qint64 step = chunked ? std::min(kWriteChunk, length - done) : length;
    if (!file.seek(offset + done) || file.write(data.constData() + done, step) != step) return false;
    done += step;
    if (chunked) ProcessPendingEvents();
  }
  return file.flush();
}

}  // namespace

bool OpenRegularFile(QFile& file, const QString& path) {
#ifdef Q_OS_UNIX
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat facts {};
  if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
    ::close(fd);
    return false;
  }
  file.setFileName(path);
  if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
  ::close(fd);
  return false;
#else
  file.setFileName(path);
  return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

QString OpenFilePath(int descriptor, const QString& fallback) {
#ifdef Q_OS_LINUX
  if (descriptor >= 0) return QStringLiteral("/proc/self/fd/") + QString::number(descriptor);
#endif
  return fallback;
}

qint64 ReadFileBytes(QByteArray& data, QFile& file, qint64 offset, qint64 length) {
  // Never trust a range: one reaching past the end would mean reading what is not there.
  if (length <= 0 || offset < 0 || length > file.size() - offset) return 0;
  QByteArray bytes(length, Qt::Uninitialized);
  if (!ReadRange(file, bytes.data(), offset, length)) return 0;
  data = std::move(bytes);
  return length;
}

qint64 ReadFileBytes(QByteArray& data, const QString& path, qint64 offset, qint64 length) {
  QFile file;
  if (!OpenRegularFile(file, path)) return 0;
  if (length == -1) length = file.size() - offset;
  return ReadFileBytes(data, file, offset, length);
}

bool WriteFileBytes(const QByteArray& data, QFile& file, qint64 offset) {
  return offset >= 0 && WriteRange(file, data, offset);
}

bool WriteFileBytes(const QByteArray& data, const QString& path, qint64 offset) {
  QFile file(path);
  // ReadWrite opens an existing file without truncating it and creates a missing one.
  if (!file.open(QIODevice::ReadWrite)) return false;
  return WriteFileBytes(data, file, offset);
}

}  // namespace pivlo
