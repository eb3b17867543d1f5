#pragma once

// Real failures for the file writers: system calls made to fail with the errors a failing
// disk gives, and a small disk that fills up.

#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <functional>
#include <string>

namespace pivlo::test {

// The calls a file write is made of.
enum class FileCall { Write, Sync, Rename };
std::string FileCallName(FileCall call);

// Runs `body` while every `call` on a file fails as a failing device would make it fail:
// writes with EFBIG (a file size limit of 0 for the process), syncs and renames with EIO
// (a system call filter on a thread of its own, which runs `body`).
void RunWithFailingCall(FileCall call, const std::function<void()>& body);

// A file system of a few hundred kilobytes mounted on a folder of its own for one test,
// to be filled up. Mounting needs root: without it Mounted() is false and the test skips.
class SmallDisk {
 public:
  SmallDisk();
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return mounted_; }
  QString Path(const QString& name) const { return folder_.filePath(name); }
  // Writes a filler file until no byte more fits.
  void Fill() const;

 private:
  QTemporaryDir folder_;
  bool mounted_ = false;
};

// A folder made read-only for one test, as an installed program's folder is to its user:
// for root, whom permissions do not stop, by mounting it again read-only over itself;
// otherwise by taking away its write permissions. Made() is false when neither worked.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& path);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  bool Made() const { return made_; }

 private:
  QString path_;
  bool mounted_ = false;
  bool made_ = false;
};

}  // namespace pivlo::test
