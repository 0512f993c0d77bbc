// Start-up pieces of the desktop program that need no window: the import folder
// settings read at start-up, the start course, and the year texts the dialogs accept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/years.hpp"
#include "mainwindow/startup.hpp"
#include "settings/settings_record.hpp"
#include "test_support.hpp"

using namespace tovra;
using tovra::testing::TempDir;

namespace {

void writeText(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

TEST(Startup, MissingJanipaGivesEmptyFoldersAndPatKindZero) {
  TempDir dir;
  JanipaBytes j;
  j.fill(0xAA);
  EXPECT_FALSE(loadJanipa(FileSystem::standard(), dir.path(), j));
  for (auto b : j) ASSERT_EQ(b, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "janipa.dat"));  // nothing written at start-up
}

TEST(Startup, JanipaIsReadWholeShortFilesPaddedAndFoldersStayTerminated) {
  TempDir dir;
  std::string file(kJanipaSize, '\0');
  file.replace(0, 6, "C:\\JV\\");
  file[4096] = 3;
  writeText(dir.path() / "janipa.dat", file);
  JanipaBytes j;
  ASSERT_TRUE(loadJanipa(FileSystem::standard(), dir.path(), j));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(j.data()), 6), "C:\\JV\\");
  EXPECT_EQ(j[4096], 3);

  // A file of 10 bytes: the rest stays zero. Folder fields filled to the brim with no NUL
  // end with one, so no reader runs into the next field.
  std::filesystem::remove(dir.path() / "janipa.dat");
  writeText(dir.path() / "JANIPA.DAT", std::string(10, 'x'));
  ASSERT_TRUE(loadJanipa(FileSystem::standard(), dir.path(), j));  // found without regard to case
  EXPECT_EQ(j[9], 'x');
  EXPECT_EQ(j[10], 0);
  writeText(dir.path() / "JANIPA.DAT", std::string(kJanipaSize + 50, 'y'));
  ASSERT_TRUE(loadJanipa(FileSystem::standard(), dir.path(), j));
  for (std::size_t f = 1; f <= 4; ++f) {
    EXPECT_EQ(j[f * kJanipaFolderSize - 1], 0);
    EXPECT_EQ(j[f * kJanipaFolderSize - 2], 'y');
  }
  EXPECT_EQ(j[4096], 'y');
}

TEST(Startup, StartCourseOfSettingsAndItsFallback) {
  SettingsRecord s = SettingsRecord::defaults();
  EXPECT_EQ(startCourseOf(s), 0);
  s.startCourse = 9;
  EXPECT_EQ(startCourseOf(s), 9);
  s.startCourse = 10;
  EXPECT_EQ(startCourseOf(s), 0);
  s.startCourse = 0xFFFF;
  EXPECT_EQ(startCourseOf(s), 0);
}

TEST(Startup, YearTextsWithALeadingZeroAreRefused) {
  // "0999" would name files after 0999 while main.dat keeps 999, whose text names others.
  EXPECT_FALSE(firstYearTextAccepted("0999"));
  EXPECT_FALSE(firstYearTextAccepted("0000"));
  EXPECT_FALSE(firstYearTextAccepted("20a1"));
  EXPECT_TRUE(firstYearTextAccepted("1999"));
}
