#pragma once
// The file layer under the ledger. Everything that touches a file goes through a
// FileSystem so that tests can inject one that fails at a chosen point.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tovra {

class File {
 public:
  virtual ~File() = default;
  virtual std::size_t read(void* buf, std::size_t n) = 0;          // bytes read (short at end of file)
  virtual bool write(const void* buf, std::size_t n) = 0;          // all or failure
  virtual bool seek(std::uint64_t offset) = 0;
  virtual bool flush() = 0;                                        // to the disk (fsync), not only the C library
  virtual std::uint64_t size() = 0;
};

enum class OpenMode {
  Read,    // existing file, read only
  Update,  // existing file, read and write, no truncation
  Create,  // create or truncate, read and write
  Append,  // create when missing, writes go to the end
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode);  // nullptr on failure
  virtual bool exists(const std::filesystem::path& p);
  virtual bool isDirectory(const std::filesystem::path& p);
  virtual bool createDirectory(const std::filesystem::path& p);
  virtual bool remove(const std::filesystem::path& p);
  virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to);
  virtual std::vector<std::string> list(const std::filesystem::path& dir);  // entry names

  static FileSystem& standard();
};

// Whole-file helpers over a FileSystem.
bool readWholeFile(FileSystem& fs, const std::filesystem::path& p, std::vector<std::uint8_t>& out);
bool writeWholeFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n);

}  // namespace tovra
