#include "ledger/fileio.hpp"

#include <cstdio>
#include <system_error>
#include <unistd.h>

namespace tovra {
namespace {

class StdFile final : public File {
 public:
  explicit StdFile(std::FILE* f) : f_(f) {}
  ~StdFile() override { std::fclose(f_); }
  // An empty buffer may have no address at all: nothing to move then.
  std::size_t read(void* buf, std::size_t n) override { return n == 0 ? 0 : std::fread(buf, 1, n, f_); }
  bool write(const void* buf, std::size_t n) override { return n == 0 || std::fwrite(buf, 1, n, f_) == n; }
  bool seek(std::uint64_t offset) override { return fseeko(f_, static_cast<off_t>(offset), SEEK_SET) == 0; }
  bool flush() override { return std::fflush(f_) == 0 && ::fsync(fileno(f_)) == 0; }
  std::uint64_t size() override {
    off_t here = ftello(f_);
    fseeko(f_, 0, SEEK_END);
    off_t end = ftello(f_);
    fseeko(f_, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
  }

 private:
  std::FILE* f_;
};

}  // namespace

std::unique_ptr<File> FileSystem::open(const std::filesystem::path& p, OpenMode mode) {
  const char* m = "rb";
  switch (mode) {
    case OpenMode::Read: m = "rb"; break;
    case OpenMode::Update: m = "r+b"; break;
    case OpenMode::Create: m = "w+b"; break;
    case OpenMode::Append: m = "ab"; break;
  }
  std::FILE* f = std::fopen(p.c_str(), m);
  if (!f) return nullptr;
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

FileSystem& FileSystem::standard() {
  static FileSystem fs;
  return fs;
}

bool readWholeFile(FileSystem& fs, const std::filesystem::path& p, std::vector<std::uint8_t>& out) {
  auto f = fs.open(p, OpenMode::Read);
  if (!f) return false;
  out.resize(f->size());
  out.resize(f->read(out.data(), out.size()));
  return true;
}

bool writeWholeFile(FileSystem& fs, const std::filesystem::path& p, const void* data, std::size_t n) {
  auto f = fs.open(p, OpenMode::Create);
  return f && f->write(data, n);
}

StreamedFileWriter::StreamedFileWriter(FileSystem& fs, std::filesystem::path target)
    : fs_(fs), target_(std::move(target)), part_(target_.string() + ".part") {
  file_ = fs_.open(part_, OpenMode::Create);
  ok_ = file_ != nullptr;
}

StreamedFileWriter::~StreamedFileWriter() {
  if (committed_) return;
  file_.reset();
  fs_.remove(part_);
}

bool StreamedFileWriter::write(const void* data, std::size_t n) {
  ok_ = ok_ && (n == 0 || file_->write(data, n));
  return ok_;
}

bool StreamedFileWriter::commit() {
  ok_ = ok_ && file_->flush();
  file_.reset();
  ok_ = ok_ && fs_.rename(part_, target_);
  committed_ = ok_;
  return ok_;
}

}  // namespace tovra
