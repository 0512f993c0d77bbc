#include "app/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace tovra {

namespace {
// The name the program has always used for its system-wide mutex (two blanks).
const char* const kMutexName = "競走収支帖  トヴラ";
}  // namespace

SingleInstance::SingleInstance(const QString& lockDir) {
  QString dir = lockDir;
  if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  path_ = QDir(dir).filePath(QString::fromUtf8(kMutexName) + ".lock");
  lock_ = std::make_unique<QLockFile>(path_);
  // The lock of a program that crashed is taken over (QLockFile checks its process id).
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() { return lock_->tryLock(0); }

}  // namespace tovra
