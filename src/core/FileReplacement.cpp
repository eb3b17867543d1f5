#include "core/FileReplacement.h"

#include "core/Events.h"
#include "core/basByteFiles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr qsizetype kWriteChunk = 2 * 1024 * 1024;  // longer writes let window events run between chunks

}  // namespace

QString SyncToDisk(QFileDevice& file) {
#ifdef Q_OS_UNIX
  if (::fsync(file.handle()) != 0) return QString::fromStdString(std::generic_category().message(errno));
#endif
  return {};
}

FileReplacement::FileReplacement(const QString& path) : file_(path) {}

bool FileReplacement::Fail(const QString& step, const QString& reason) {
  if (error_.isEmpty()) error_ = file_.fileName() + u": cannot "_s + step + u": "_s + reason;
  file_.cancelWriting();
  return false;
}

bool FileReplacement::Open() {
  if (opened_) return error_.isEmpty();
  opened_ = true;
  const QFileInfo target(file_.fileName());
  // A FIFO or device in the file's place would be swapped for a plain file.
  if (target.exists() && !target.isFile()) return Fail(u"write"_s, u"not a regular file"_s);
  // Unbuffered, so that a write that fails says so at once rather than at the commit.
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return Fail(u"create"_s, file_.errorString());
  return true;
}

bool FileReplacement::Write(QByteArrayView bytes) {
  if (!Open()) return false;
  const bool chunked = bytes.size() >= kWriteChunk;
  for (qsizetype done = 0; done < bytes.size();) {
    const qsizetype step = chunked ? std::min(kWriteChunk, bytes.size() - done) : bytes.size();
    if (file_.write(bytes.data() + done, step) != step) return Fail(u"write"_s, file_.errorString());
    done += step;
    if (chunked) ProcessPendingEvents();
  }
  return true;
}

bool FileReplacement::Commit() {
  if (!Open()) return false;
  if (!file_.flush() || file_.error() != QFileDevice::NoError) return Fail(u"write"_s, file_.errorString());
  if (const QString reason = SyncToDisk(file_); !reason.isEmpty()) return Fail(u"sync"_s, reason);
  if (!file_.commit()) {
    if (error_.isEmpty()) error_ = file_.fileName() + u": cannot replace: "_s + file_.errorString();
    return false;
  }
  return true;
}

bool ReplaceFileContents(const QString& path, QByteArrayView bytes, QString* error) {
  FileReplacement file(path);
  if (file.Write(bytes) && file.Commit()) return true;
  if (error) *error = file.Error();
  return false;
}

bool CopyFileContents(const QString& from, const QString& to, QString* error) {
  QFile source;
  QByteArray bytes;
  if (!OpenRegularFile(source, from) || (source.size() > 0 && ReadFileBytes(bytes, source, 0, source.size()) == 0)) {
    *error = from + u": cannot read"_s;
    return false;
  }
  return ReplaceFileContents(to, bytes, error);
}

bool CommitAssembledFile(const QString& from, const QString& to, QString* error) {
  QFile file(from);
  QString reason;
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
  } else {
    reason = SyncToDisk(file);
  }
  file.close();
  if (!reason.isEmpty()) {
    *error = to + u": cannot sync: "_s + reason;
    return false;
  }
  std::error_code code;
  std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                          std::filesystem::path(QFile::encodeName(to).toStdString()), code);
  if (!code) return true;
  *error = to + u": cannot replace: "_s + QString::fromStdString(code.message());
  return false;
}

}  // namespace pivlo
