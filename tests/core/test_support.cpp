#include "test_support.hpp"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>

#include "ledger/fileio.hpp"
#include "ledger/years.hpp"
#include "mainwindow/folders.hpp"

namespace tovra::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto base = std::filesystem::temp_directory_path();
  path_ = base / ("tovra-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<unsigned char> readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& p, const std::vector<unsigned char>& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void makeLedger(DataStore& ds, const std::vector<int>& years) {
  ScriptedPort port;
  if (!prepareFolders(ds.fs(), ds.root(), port)) throw std::runtime_error("prepare failed");
  ds.loadYears();
  for (int y : years)
    if (!registerYear(ds, port, std::to_string(y))) throw std::runtime_error("register failed");
}

void appendMeeting(DataStore& ds, int course, const KaisaiRecord& k, const RaceBlock& races) {
  int keep = ds.course;
  ds.course = course;
  int n = ds.meetingCount[course];
  ds.kaisai = k;
  ds.races = races;
  ds.writeMeeting(n);
  ds.writeRaceBlock(n);
  ds.kaisai = KaisaiRecord{};
  ds.races = RaceBlock{};
  ds.writeMeeting(n + 1);
  ds.writeRaceBlock(n + 1);
  ds.meetingCount[course] = n + 1;
  ds.course = keep;
}

}  // namespace tovra::testing
