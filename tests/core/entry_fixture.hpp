#pragma once
// A ledger in a temporary folder with year 2001 and one meeting day (東京, 12月3日
// 3回 8日目) shown, for the race entry tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/user_port.hpp"
#include "ledger/years.hpp"
#include "mainwindow/folders.hpp"

namespace tovra::entrytest {

inline constexpr int kCourse = 4;  // 東京

class EntryLedger : public ::testing::Test {
 protected:
  std::filesystem::path dir;
  DataStore ds;
  ScriptedPort port;

  EntryLedger() : dir(freshDir()), ds(dir) {}
  ~EntryLedger() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  void SetUp() override {
    ScriptedPort quiet;
    ASSERT_TRUE(prepareFolders(ds.fs(), ds.root(), quiet));
    ds.loadYears();
    ASSERT_TRUE(registerYear(ds, quiet, "2001"));
    ds.course = kCourse;
    ds.kaisai = KaisaiRecord{};
    ds.kaisai.tsukiHi = 1203;
    ds.kaisai.kaiNichi = 308;
    ds.races = RaceBlock{};
    ds.writeMeeting(0);
    ds.writeRaceBlock(0);
    ds.kaisai = KaisaiRecord{};
    ds.races = RaceBlock{};
    ds.writeMeeting(1);
    ds.writeRaceBlock(1);
    ds.countMeetings();
    ds.course = kCourse;
    ds.shownMeeting[kCourse] = 0;
    ds.readShown();
  }

  // The meeting day as it is on disk.
  struct OnDisk {
    KaisaiRecord kaisai;
    RaceBlock races;
  };
  OnDisk onDisk() {
    DataStore other(dir);
    other.year = ds.year;
    other.course = kCourse;
    other.shownMeeting[kCourse] = 0;
    other.readShown();
    return {other.kaisai, other.races};
  }

  std::vector<unsigned char> fileBytes(const std::string& logical) {
    std::ifstream in(ds.resolve(logical), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
  }

 private:
  static std::filesystem::path freshDir() {
    static std::atomic<int> counter{0};
    auto p = std::filesystem::temp_directory_path() /
             ("tovra-entry-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
  }
};

}  // namespace tovra::entrytest
