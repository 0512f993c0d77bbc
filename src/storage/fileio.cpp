#include "storage/fileio.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "storage/file_names.hpp"

namespace tovra {

using namespace file_names;

namespace {

class StdFile final : public File {
 public:
  explicit StdFile(std::FILE* f) : f_(f) {}
  ~StdFile() override {
    if (f_) std::fclose(f_);
  }
  // An empty buffer may have no address at all: nothing to move then.
  std::size_t read(void* buf, std::size_t n) override { return f_ && n > 0 ? std::fread(buf, 1, n, f_) : 0; }
  bool write(const void* buf, std::size_t n) override { return f_ && (n == 0 || std::fwrite(buf, 1, n, f_) == n); }
  bool seek(std::uint64_t offset) override {
    if (!f_ || offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
    return fseeko(f_, static_cast<off_t>(offset), SEEK_SET) == 0;
  }
  bool flush() override { return f_ && std::fflush(f_) == 0 && ::fsync(fileno(f_)) == 0; }
  bool close() override {
    if (!f_) return false;
    // fclose writes what the C library still buffers: its result is the write's result.
    bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
  }
  std::uint64_t size() override {
    struct stat st {};
    if (!f_ || ::fstat(fileno(f_), &st) != 0 || st.st_size < 0) return 0;
    return static_cast<std::uint64_t>(st.st_size);
  }

 private:
  std::FILE* f_;
};

// A file written through (a device, a FIFO, a terminal): unbuffered writes of the whole
// piece; a sync the file cannot do is no failure.
class ThroughFile final : public File {
 public:
  explicit ThroughFile(int fd) : fd_(fd) {}
  ~ThroughFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  std::size_t read(void*, std::size_t) override { return 0; }
  bool write(const void* buf, std::size_t n) override {
    const char* p = static_cast<const char*>(buf);
    while (fd_ >= 0 && n > 0) {
      const ssize_t k = ::write(fd_, p, n);
      if (k < 0 && errno == EINTR) continue;
      if (k <= 0) return false;
      p += k;
      n -= static_cast<std::size_t>(k);
    }
    return fd_ >= 0;
  }
  bool seek(std::uint64_t) override { return false; }
  bool flush() override { return fd_ >= 0 && (::fsync(fd_) == 0 || errno == EINVAL || errno == EROFS); }
  bool close() override {
    if (fd_ < 0) return false;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }
  std::uint64_t size() override { return 0; }

 private:
  int fd_;
};

// "<target name>.<pid>-<serial>.tovra-new": unique among the processes that may write at
// once (the lock keeps them to one, but a crashed one may have left its files).
std::filesystem::path stagedPathFor(const std::filesystem::path& target) {
  static std::atomic<unsigned> serial{0};
  // Built by appending to one string: GCC 12 at -O3 warns (-Wrestrict) about a temporary
  // made by "." + std::string, although nothing overlaps.
  std::string suffix(1, '.');
  suffix.append(std::to_string(::getpid()));
  suffix.push_back('-');
  suffix.append(std::to_string(serial++));
  suffix.append(kStagedSuffix);
  std::filesystem::path p = target;
  p += suffix;
  return p;
}

}  // namespace

// ---------------------------------------------------------------- FileSystem

std::unique_ptr<File> FileSystem::open(const std::filesystem::path& p, OpenMode mode) {
  int flags = O_CLOEXEC;
  const char* m = "rb";
  switch (mode) {
    case OpenMode::Read:
      flags |= O_RDONLY | O_NONBLOCK;
      m = "rb";
      break;
    case OpenMode::Update:
      flags |= O_RDWR | O_NONBLOCK;
      m = "r+b";
      break;
    case OpenMode::CreateNew:  // O_EXCL: never an existing file
      flags |= O_RDWR | O_CREAT | O_EXCL;
      m = "w+b";
      break;
  }
  const int fd = ::open(p.c_str(), flags, 0666);
  if (fd < 0) return nullptr;
  // Only a regular file is read: a FIFO would block the program (holding the ledger lock)
  // until someone writes to it, and a device is never data. O_NONBLOCK keeps the open itself
  // from waiting; the file is blocking again once it is known to be a file. A change in
  // place never goes to a FIFO either.
  struct stat st {};
  const bool known = ::fstat(fd, &st) == 0;
  const bool accepted =
      known && (mode == OpenMode::Read ? S_ISREG(st.st_mode) : !S_ISFIFO(st.st_mode) && !S_ISDIR(st.st_mode));
  const int status = ::fcntl(fd, F_GETFL);
  // A file this open created and cannot hand over is removed again: no leftover beside the target.
  const auto giveUp = [&](int err) {
    ::close(fd);
    if (mode == OpenMode::CreateNew) ::unlink(p.c_str());
    errno = err;
  };
  if (!accepted || status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    giveUp(EINVAL);
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, m);
  if (!f) {
    giveUp(errno);
    return nullptr;
  }
  return std::make_unique<StdFile>(f);
}

bool FileSystem::exists(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::exists(p, ec);
}
bool FileSystem::isDirectory(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_directory(p, ec);
}
bool FileSystem::createDirectory(const std::filesystem::path& p) {
  std::error_code ec;
  std::filesystem::create_directory(p, ec);
  return !ec;
}
bool FileSystem::remove(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::remove(p, ec);
}
bool FileSystem::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return !ec;
}
std::vector<std::string> FileSystem::list(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}
bool FileSystem::copyPermissions(const std::filesystem::path& from, const std::filesystem::path& to) {
  struct stat st {};
  if (::stat(from.c_str(), &st) != 0) return errno == ENOENT;  // a new file keeps the default mode
  return ::chmod(to.c_str(), st.st_mode & 07777) == 0;
}
bool FileSystem::syncDirectory(const std::filesystem::path& dir) {
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // EINVAL: a file system that cannot sync folders
  return ::close(fd) == 0 && ok;
}

std::unique_ptr<File> FileSystem::openWriteThrough(const std::filesystem::path& p) {
  int fd = -1;
  do {
    fd = ::open(p.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<ThroughFile>(fd);
}

bool FileSystem::processRunning(long pid) {
  if (pid <= 0 || pid > INT32_MAX) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool FileSystem::writable(const std::filesystem::path& p) { return ::access(p.c_str(), W_OK) == 0 || errno == ENOENT; }

FileSystem& FileSystem::standard() {
  static FileSystem fs;
  return fs;
}

// ---------------------------------------------------------------- reading

bool readWholeFile(FileSystem& fs, const std::filesystem::path& p, std::vector<std::uint8_t>& out,
                   std::uint64_t limit) {
  auto f = fs.open(p, OpenMode::Read);
  if (!f) return false;
  std::uint64_t n = f->size();
  if (n > limit) return false;
  out.resize(static_cast<std::size_t>(n));
  out.resize(f->read(out.data(), out.size()));
  return true;
}

bool readFileHead(FileSystem& fs, const std::filesystem::path& p, std::size_t n, std::vector<std::uint8_t>& out) {
  auto f = fs.open(p, OpenMode::Read);
  if (!f) return false;
  std::uint64_t size = f->size();
  out.resize(size < n ? static_cast<std::size_t>(size) : n);
  out.resize(f->read(out.data(), out.size()));
  return true;
}

// ---------------------------------------------------------------- writing

bool writeWholeFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n) {
  StagedFile staged(fs, p);
  return staged.open() && staged.write(data, n) && staged.commit();
}

bool writeScratchFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n) {
  StagedFile staged(fs, p, StagedFile::Sync::Scratch);
  return staged.open() && staged.write(data, n) && staged.commit();
}

OutputTarget outputTargetFor(const std::filesystem::path& p) {
  std::filesystem::path cur = p;
  for (int hop = 0; hop < 40; ++hop) {
    const std::string s = cur.string();
    // The links of /proc/self/fd (behind /dev/stdout) name pipes and sockets that have no
    // path: opened as they are, they reach the descriptor.
    const bool descriptorLink = s.rfind("/proc/", 0) == 0 || s.rfind("/dev/fd/", 0) == 0;
    struct stat st {};
    if (::lstat(cur.c_str(), &st) != 0) return {cur, false};  // new (or unreachable: the write says so)
    if (S_ISLNK(st.st_mode)) {
      if (descriptorLink) return {cur, true};
      std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
      const ssize_t k = ::readlink(cur.c_str(), link.data(), link.size());
      if (k < 0 || static_cast<std::size_t>(k) >= link.size()) return {cur, false};
      link.resize(static_cast<std::size_t>(k));
      const std::filesystem::path next(link);
      cur = next.is_absolute() ? next : cur.parent_path() / next;
      continue;
    }
    if (S_ISREG(st.st_mode)) return {cur, descriptorLink};
    if (S_ISDIR(st.st_mode)) return {cur, false};  // the rename fails: a folder is never replaced
    return {cur, true};                            // device, FIFO, terminal, socket
  }
  return {p, false};  // a loop of links: the write fails as the system says
}

namespace {

// The signals that end the program from a terminal or a service manager, held back
// (blocked for the calling thread) while it lives; the mask before is restored at its
// end, when one that came meanwhile takes its usual effect.
class TerminationSignalsHeld {
 public:
  TerminationSignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&set, s);
    held_ = ::pthread_sigmask(SIG_BLOCK, &set, &before_) == 0;
  }
  ~TerminationSignalsHeld() {
    if (held_) ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
  }
  TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
  TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

 private:
  sigset_t before_;
  bool held_ = false;
};

}  // namespace

bool writeOutputFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n) {
  const OutputTarget t = outputTargetFor(p);
  if (!t.writeThrough) {
    // The bytes are all in memory: staging, syncing and renaming take a moment, during
    // which a Ctrl-C would leave the staged file beside the user's.
    const TerminationSignalsHeld held;
    return writeWholeFile(fs, t.path, data, n);
  }
  auto f = fs.openWriteThrough(t.path);
  if (!f) return false;
  const bool ok = f->write(data, n) && f->flush();
  return f->close() && ok;
}

bool updateInPlace(FileSystem& fs, const std::filesystem::path& p, std::uint64_t offset, const void* data,
                   std::size_t n) {
  if (!fs.writable(p)) return false;
  auto f = fs.open(p, OpenMode::Update);
  if (!f) return false;
  bool ok = f->seek(offset) && f->write(data, n) && f->flush();
  return f->close() && ok;
}

StagedFile::StagedFile(FileSystem& fs, std::filesystem::path target, Sync sync)
    : fs_(fs), target_(std::move(target)), staged_(stagedPathFor(target_)), sync_(sync) {}

StagedFile::~StagedFile() {
  if (file_) file_->close();
  if (!placed_ && !handedOver_ && (file_ || finished_ || failed_)) fs_.remove(staged_);
}

bool StagedFile::open() {
  // Checked before anything is written: the rename would replace a read-only file.
  if (!fs_.writable(target_)) return false;
  file_ = fs_.open(staged_, OpenMode::CreateNew);
  if (!file_) return false;
  return true;
}

bool StagedFile::write(const void* data, std::size_t n) {
  if (!file_ || failed_) return false;
  if (n == 0) return true;
  if (!file_->write(data, n)) failed_ = true;
  return !failed_;
}

bool StagedFile::finish() {
  if (finished_) return true;
  if (!file_ || failed_) return false;
  bool ok = sync_ == Sync::Scratch || file_->flush();
  ok = file_->close() && ok;
  file_.reset();
  // The new file takes the mode of the one it replaces (a private 0600 ledger stays so).
  if (!ok || !fs_.copyPermissions(target_, staged_)) {
    failed_ = true;
    return false;
  }
  finished_ = true;
  return true;
}

bool StagedFile::renameIntoPlace() {
  if (!fs_.rename(staged_, target_)) return false;
  placed_ = true;
  return true;
}

bool StagedFile::commit() {
  if (!finish() || !renameIntoPlace()) return false;
  return sync_ == Sync::Scratch || fs_.syncDirectory(target_.parent_path());
}

std::filesystem::path commitMarkFor(const std::filesystem::path& target) {
  std::filesystem::path p = target;
  p += kMarkSuffix;
  return p;
}

bool commitTogether(FileSystem& fs, const std::filesystem::path& mark, const std::vector<StagedFile*>& files) {
  std::string text;
  for (StagedFile* f : files) {
    if (!f->finish() || f->staged().parent_path() != mark.parent_path()) return false;
    text += f->staged().filename().string() + "\t" + f->target().filename().string() + "\n";
  }
  // The staged files must survive a crash from here on: the mark will name them.
  if (!fs.syncDirectory(mark.parent_path())) return false;
  if (!writeWholeFile(fs, mark, text.data(), text.size())) return false;
  // Committed: whatever happens now, the next open completes the group.
  for (StagedFile* f : files) f->handedOver_ = true;
  for (StagedFile* f : files)
    if (!f->renameIntoPlace()) return false;
  if (!fs.syncDirectory(mark.parent_path())) return false;
  fs.remove(mark);
  fs.syncDirectory(mark.parent_path());
  return true;
}

bool isStagedName(const std::string& name) { return endsWith(name, kStagedSuffix); }
bool isCommitMarkName(const std::string& name) { return endsWith(name, kMarkSuffix); }
bool isJournalName(const std::string& name) { return endsWith(name, kJournalSuffix); }

}  // namespace tovra
