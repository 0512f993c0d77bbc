// Start-up pieces of the desktop program that need no window: the start course and the
// year texts the dialogs accept (the import folder settings: import_folders_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/years.hpp"
#include "mainwindow/startup.hpp"
#include "settings/settings_record.hpp"
#include "common/ledger_builder.hpp"

using namespace tovra;
using tovra::testing::TempDir;

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
