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

// A file written piece by piece (a result list of any length) and put in place only when
// complete: the pieces go to a file beside the target, which commit() syncs and renames
// over the target. Until then, and whenever a write failed, the target stays as it was;
// an uncommitted piece file is removed when the writer goes away.
class StreamedFileWriter {
 public:
  StreamedFileWriter(FileSystem& fs, std::filesystem::path target);
  ~StreamedFileWriter();
  StreamedFileWriter(const StreamedFileWriter&) = delete;
  StreamedFileWriter& operator=(const StreamedFileWriter&) = delete;
  bool ok() const { return ok_; }
  bool write(const void* data, std::size_t n);  // false once anything has failed
  bool commit();                                // false when the file could not be put in place

 private:
  FileSystem& fs_;
  std::filesystem::path target_, part_;
  std::unique_ptr<File> file_;
  bool ok_ = false;
  bool committed_ = false;
};

}  // namespace tovra
