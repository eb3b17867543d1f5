#include "core/SingleInstance.h"

#include "core/AppFolders.h"

#include <QDir>
#include <QFileInfo>

namespace pivlo {

QString SingleInstance::DefaultLockPath() {
  return WritableFolder() + QStringLiteral("pivlo.lock");
}

SingleInstance::SingleInstance(const QString& lock_path) : path_(lock_path) {}

bool SingleInstance::Acquire() {
  if (lock_ && lock_->isLocked()) return true;
  QDir().mkpath(QFileInfo(path_).absolutePath());
  lock_ = std::make_unique<QLockFile>(path_);
  // The run may be long: a live owner's lock never goes stale by age. A lock whose owner
  // process has gone is still taken over.
  lock_->setStaleLockTime(0);
  return lock_->tryLock(0);
}

}  // namespace pivlo
