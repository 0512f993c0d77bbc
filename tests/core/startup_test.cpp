// Start-up pieces of the desktop program that need no window: the start course and the
// year texts the dialogs accept (the import folder settings: import_folders_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/ledger_builder.hpp"
#include "features/main/startup.hpp"
#include "features/years/years.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/settings_record.hpp"

using namespace tovra;
using tovra::testing::TempDir;

TEST(Startup, StartCourseOfTheSettingsAndItsFallback) {
  const struct {
    std::uint16_t stored;
    int course;
  } cases[] = {{0, 0}, {4, 4}, {9, 9}, {10, 0}, {0xFFFF, 0}};
  for (const auto& c : cases) {
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = c.stored;
    EXPECT_EQ(s.startCourseIndex(), c.course) << c.stored;
  }
}

TEST(Startup, YearTextsWithALeadingZeroAreRefused) {
  // "0999" would name files after 0999 while main.dat keeps 999, whose text names others.
  EXPECT_FALSE(firstYearTextAccepted("0999"));
  EXPECT_FALSE(firstYearTextAccepted("0000"));
  EXPECT_FALSE(firstYearTextAccepted("20a1"));
  EXPECT_TRUE(firstYearTextAccepted("1999"));
}
