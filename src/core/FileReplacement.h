#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace pivlo {

// Writes a file whole or not at all. The new content goes to a temporary file beside the
// target, which takes the target's place only once every write, the flush and the sync to
// disk have succeeded; any failure leaves the old file as it was. Every writer of a
// user's file goes through here.
class FileReplacement {
 public:
  explicit FileReplacement(const QString& path);

  // Appends the bytes. False once any step has failed: nothing more is written.
  bool Write(QByteArrayView bytes);
  // Flushes, syncs and puts the new file in place of the old one.
  bool Commit();
  // Why the write failed: the path, the step and the system's reason.
  const QString& Error() const { return error_; }

 private:
  bool Open();
  bool Fail(const QString& step, const QString& reason);

  QSaveFile file_;
  QString error_;
  bool opened_ = false;
};

// The whole of `bytes` as the file at `path`; on failure `error`, when given, says why.
bool ReplaceFileContents(const QString& path, QByteArrayView bytes, QString* error = nullptr);

// Copies the regular file `from` over `to` as the writer above writes it; on failure
// `error` says why.
bool CopyFileContents(const QString& from, const QString& to, QString* error);

// Flushing to the file system is not enough: a full disk may only show at the sync. The
// system's reason when the open file cannot be synced; empty when it is.
QString SyncToDisk(QFileDevice& file);

// Syncs a finished file to disk, then renames it over `to`: the step that makes a file
// assembled under a name of its own the real one. On failure `error` says why.
bool CommitAssembledFile(const QString& from, const QString& to, QString* error);

}  // namespace pivlo
