#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace pivlo::test {

// A scratch folder for one test, removed with it.
class TempFolder {
 public:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // Writes the bytes to a new file in the folder and returns its path.
  QString Write(const QString& name, const QByteArray& bytes) const;

 private:
  QTemporaryDir dir_;
};

QByteArray ReadWholeFile(const QString& path);

// Makes a folder the working folder (relative paths, programs started) while it lives.
class WorkingFolder {
 public:
  explicit WorkingFolder(const QString& folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  QString previous_;
};

}  // namespace pivlo::test
