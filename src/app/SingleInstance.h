#pragma once
// The program runs once per user: a lock named after the program, held until it ends.
#include <QString>
#include <memory>

class QLockFile;

namespace tovra {

class SingleInstance {
 public:
  // lockDir empty: the user's runtime folder (else the temp folder).
  explicit SingleInstance(const QString& lockDir = QString());
  ~SingleInstance();
  // True when this is the only running instance (the lock is now ours).
  bool acquire();
  QString lockPath() const { return path_; }

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace tovra
