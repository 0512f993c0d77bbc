#pragma once
// A file layer over the real disk that fails where a test says: every operation after
// the first `stopAfter` ones (a crash at that point: nothing more reaches the disk), or
// the operations a predicate picks (a full disk, a file that cannot be renamed ...).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "storage/fileio.hpp"

namespace tovra::fixture {

class FaultyFs : public FileSystem {
 public:
  enum class Op {
    Open,
    Read,
    Write,
    Seek,
    Flush,
    Close,
    Size,
    Exists,
    IsDir,
    CreateDir,
    Remove,
    Rename,
    List,
    CopyPerm,
    SyncDir
  };

  std::size_t stopAfter = std::numeric_limits<std::size_t>::max();
  std::function<bool(Op, const std::filesystem::path&)> fail = [](Op, const std::filesystem::path&) { return false; };
  // The files the user may not write (as a file of mode 0444 is for anyone but root).
  std::function<bool(const std::filesystem::path&)> readOnly = [](const std::filesystem::path&) { return false; };
  bool realSync = true;   // false: syncs are counted and succeed without reaching the disk (fast)
  std::size_t count = 0;  // operations so far

  bool stopped() const { return count > stopAfter; }

  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (!allow(Op::Open, p)) return nullptr;
    auto f = FileSystem::open(p, mode);
    if (!f) return nullptr;
    return std::make_unique<Faulty>(*this, std::move(f), p);
  }
  bool exists(const std::filesystem::path& p) override { return allow(Op::Exists, p) && FileSystem::exists(p); }
  bool isDirectory(const std::filesystem::path& p) override {
    return allow(Op::IsDir, p) && FileSystem::isDirectory(p);
  }
  bool createDirectory(const std::filesystem::path& p) override {
    return allow(Op::CreateDir, p) && FileSystem::createDirectory(p);
  }
  bool remove(const std::filesystem::path& p) override { return allow(Op::Remove, p) && FileSystem::remove(p); }
  bool rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return allow(Op::Rename, to) && FileSystem::rename(from, to);
  }
  std::vector<std::string> list(const std::filesystem::path& dir) override {
    if (!allow(Op::List, dir)) return {};
    return FileSystem::list(dir);
  }
  bool copyPermissions(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return allow(Op::CopyPerm, to) && FileSystem::copyPermissions(from, to);
  }
  bool syncDirectory(const std::filesystem::path& dir) override {
    return allow(Op::SyncDir, dir) && (!realSync || FileSystem::syncDirectory(dir));
  }
  // Not counted among the operations: a file's mode is no step that can fail midway.
  bool writable(const std::filesystem::path& p) override { return !readOnly(p) && FileSystem::writable(p); }

 private:
  bool allow(Op op, const std::filesystem::path& p) {
    ++count;
    return !stopped() && !fail(op, p);
  }

  class Faulty : public File {
   public:
    Faulty(FaultyFs& fs, std::unique_ptr<File> f, std::filesystem::path p)
        : fs_(fs), f_(std::move(f)), p_(std::move(p)) {}
    std::size_t read(void* b, std::size_t n) override { return fs_.allow(Op::Read, p_) ? f_->read(b, n) : 0; }
    bool write(const void* b, std::size_t n) override { return fs_.allow(Op::Write, p_) && f_->write(b, n); }
    bool seek(std::uint64_t o) override { return fs_.allow(Op::Seek, p_) && f_->seek(o); }
    bool flush() override { return fs_.allow(Op::Flush, p_) && (!fs_.realSync || f_->flush()); }
    bool close() override { return fs_.allow(Op::Close, p_) && f_->close(); }
    std::uint64_t size() override { return fs_.allow(Op::Size, p_) ? f_->size() : 0; }

   private:
    FaultyFs& fs_;
    std::unique_ptr<File> f_;
    std::filesystem::path p_;
  };
};

}  // namespace tovra::fixture
