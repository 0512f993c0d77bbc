#pragma once
// One writer at a time. The desktop program holds this lock on the working folder's
// ledger for as long as it runs, and every tovra-cli command that writes (ledger files or
// tmp/ work files) holds it for the length of the command. It is an flock(2) on the
// working folder itself: the system releases it when its holder ends, however it ends, so
// a crashed program never leaves a stale lock, and no lock file is ever made.
#include <filesystem>

namespace tovra {

// Shown when another program holds the lock; nothing has been written.
inline constexpr const char* kLedgerBusyText = "他のﾌﾟﾛｸﾞﾗﾑがﾃﾞｰﾀを使用中です。\n\n処理を中止します。";
// Shown when the working folder cannot be opened to lock it.
inline constexpr const char* kLedgerLockFailedText = "ﾃﾞｰﾀのﾌｫﾙﾀﾞがﾛｯｸ出来ません。\n\n処理を中止します。";

class LedgerLock {
 public:
  enum class State { Held, Busy, Failed };

  explicit LedgerLock(std::filesystem::path root);
  ~LedgerLock();  // releases
  LedgerLock(const LedgerLock&) = delete;
  LedgerLock& operator=(const LedgerLock&) = delete;

  // Takes the lock without waiting: Held, Busy (another program holds it) or Failed (the
  // working folder cannot be opened).
  State tryAcquire();
  // Waits for it up to `millis` milliseconds, trying now and then.
  State acquire(int millis);
  void release();
  bool held() const { return fd_ >= 0; }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace tovra
