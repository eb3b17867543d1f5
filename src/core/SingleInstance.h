#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace pivlo {

// The editor runs once per user: the first instance holds a lock file in the writable
// folder for its whole run; a stale lock left by a crashed instance is taken over.
class SingleInstance {
 public:
  // The lock file the editor uses: WritableFolder() + "pivlo.lock".
  static QString DefaultLockPath();

  explicit SingleInstance(const QString& lock_path = DefaultLockPath());
  // True when this instance now holds the lock; false when another instance runs.
  bool Acquire();

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace pivlo
