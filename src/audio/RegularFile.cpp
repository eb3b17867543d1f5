#include "audio/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

std::optional<QByteArray> Refuse(QString* error, const QString& why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 limit, QString* error) {
  if (!QFileInfo(path).isFile()) return Refuse(error, u"not a regular file"_s);
  // O_NONBLOCK: should the path have become a FIFO since the look above, opening it must
  // not wait for a writer; fstat then tells what was really opened.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refuse(error, QString::fromLocal8Bit(strerror(errno)));
  const auto close = qScopeGuard([fd] { ::close(fd); });
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return Refuse(error, u"not a regular file"_s);
  if (status.st_size > limit) return Refuse(error, u"larger than %1 bytes"_s.arg(limit));

  // The size may change while reading: never more than the limit.
  QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
  qsizetype filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Refuse(error, QString::fromLocal8Bit(strerror(errno)));
    if (got == 0) break;
    filled += got;
  }
  bytes.truncate(filled);
  return bytes;
}

}  // namespace pivlo
