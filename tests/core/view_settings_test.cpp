// tovraview.dat, the main window's 全式別 choice: its bytes, what reads as the default, and
// its write through a file layer that fails at every step.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/temp_dir.hpp"
#include "core/support/faulty_fs.hpp"
#include "storage/fileio.hpp"
#include "storage/settings_record.hpp"
#include "storage/view_settings.hpp"

using namespace tovra;
using tovra::fixture::FaultyFs;
using tovra::testing::TempDir;

namespace {

std::vector<std::uint8_t> readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& b) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

TEST(ViewSettings, EightBytesAtTheirOffsets) {
  const std::vector<std::uint8_t> on = {'T', 'V', 'V', 'W', 1, 0, 1, 0};
  const std::vector<std::uint8_t> off = {'T', 'V', 'V', 'W', 1, 0, 0, 0};
  const auto a = ViewSettings{true}.encode();
  const auto b = ViewSettings{false}.encode();
  EXPECT_EQ(std::vector<std::uint8_t>(a.begin(), a.end()), on);
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.end()), off);

  TempDir dir;
  FileSystem fs;
  ASSERT_TRUE(saveViewSettings(fs, dir.path(), ViewSettings{true}));
  EXPECT_EQ(readBytes(dir / "tovraview.dat"), on);
  EXPECT_TRUE(loadViewSettings(fs, dir.path()).allTypes);
  ASSERT_TRUE(saveViewSettings(fs, dir.path(), ViewSettings{false}));
  EXPECT_EQ(readBytes(dir / "tovraview.dat"), off);
  EXPECT_FALSE(loadViewSettings(fs, dir.path()).allTypes);
  // The settings record is not touched: it is not there at all.
  EXPECT_FALSE(std::filesystem::exists(dir / kSettingsFile));
}

TEST(ViewSettings, AMissingOrBadFileIsTheDefault) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool allTypes;
  } cases[] = {
      {"on", {'T', 'V', 'V', 'W', 1, 0, 1, 0}, true},
      {"off", {'T', 'V', 'V', 'W', 1, 0, 0, 0}, false},
      {"empty", {}, false},
      {"short", {'T', 'V', 'V', 'W', 1, 0, 1}, false},
      {"long", {'T', 'V', 'V', 'W', 1, 0, 1, 0, 0}, false},
      {"other magic", {'T', 'V', 'V', 'X', 1, 0, 1, 0}, false},
      {"version 2", {'T', 'V', 'V', 'W', 2, 0, 1, 0}, false},
      {"value 2", {'T', 'V', 'V', 'W', 1, 0, 2, 0}, false},
      {"last byte set", {'T', 'V', 'V', 'W', 1, 0, 1, 1}, false},
      {"a settings record", std::vector<std::uint8_t>(160, 1), false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    FileSystem fs;
    writeBytes(dir / "tovraview.dat", c.bytes);
    EXPECT_EQ(loadViewSettings(fs, dir.path()).allTypes, c.allTypes) << c.name;
  }
  TempDir none;
  FileSystem fs;
  EXPECT_FALSE(loadViewSettings(fs, none.path()).allTypes);
}

// The write stopped at every step of the file layer (a crash there, or a full disk):
// reported as failed, the file is then whole, what it was before or (the folder's sync
// after the rename failing) the new bytes, never anything between; a write that returns
// true left the new choice.
TEST(ViewSettings, AWriteThatFailsAtAnyStepLeavesTheOldFile) {
  for (bool before : {false, true}) {
    for (std::size_t stop = 0;; ++stop) {
      TempDir dir;
      FileSystem plain;
      ASSERT_TRUE(saveViewSettings(plain, dir.path(), ViewSettings{before}));
      const auto old = readBytes(dir / "tovraview.dat");
      FaultyFs fs;
      fs.stopAfter = stop;
      const bool written = saveViewSettings(fs, dir.path(), ViewSettings{!before});
      SCOPED_TRACE(stop);
      const auto fresh = ViewSettings{!before}.encode();
      const auto now = readBytes(dir / "tovraview.dat");
      if (!written) {
        EXPECT_TRUE(now == old || now == std::vector<std::uint8_t>(fresh.begin(), fresh.end()));
        if (stop == 0) {
          EXPECT_EQ(now, old);
        }
        continue;
      }
      EXPECT_EQ(loadViewSettings(plain, dir.path()).allTypes, !before);
      EXPECT_GT(stop, 2u);
      break;
    }
  }
}

}  // namespace
