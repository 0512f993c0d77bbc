#include <gtest/gtest.h>

#include <string>

#include "common/cli_runner.hpp"
#include "common/temp_dir.hpp"

namespace {

using tovra::testing::CliResult;

class MeetingCli : public ::testing::Test {
 protected:
  tovra::testing::TempDir dir;
  void SetUp() override { ASSERT_EQ(run("year add 2001").exitCode, 0); }
  CliResult run(const std::string& args) { return tovra::testing::runCli(dir.path(), args); }
  std::string list(const std::string& course) { return run("meeting list " + course).out; }
};

TEST_F(MeetingCli, AddEditDeletePrintTheShownIndex) {
  EXPECT_EQ(run("meeting add sap 4/29 1 1").out, "0\n");
  EXPECT_EQ(run("meeting add sap 5/6 1 2").out, "1\n");
  EXPECT_EQ(run("meeting add sap 5/2 2 3").out, "1\n");
  EXPECT_EQ(list("sap"),
            "0\t 4月29日\t1回1日目\t0\t0\n"
            "1\t 5月 2日\t2回3日目\t0\t0\n"
            "2\t 5月 6日\t1回2日目\t0\t0\n");
  EXPECT_EQ(run("meeting add 9 12/28 5 1 --series").out, "5\n");
  EXPECT_EQ(run("meeting edit sap 0 12/20 6 2").out, "2\n");
  EXPECT_EQ(list("sap").substr(0, 2), "0\t");
  EXPECT_NE(list("sap").find("2\t12月20日\t6回2日目"), std::string::npos);
  // Without a terminal and without --yes the questions are answered Cancel.
  CliResult refused = run("meeting delete sap 1");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(run("meeting delete sap 1 --yes").out, "0\n");
  EXPECT_EQ(run("--yes meeting delete sap 0").out, "0\n");
  EXPECT_EQ(list("sap"), "0\t12月20日\t6回2日目\t0\t0\n");
  EXPECT_EQ(std::filesystem::file_size(dir / "tovradatafile/sap/2001sap.dat"), 2u * 864);
  EXPECT_EQ(std::filesystem::file_size(dir / "tovradatafile/sap/2001rsa.dat"), 2u * 22704);
}

TEST_F(MeetingCli, BadInputIsRefusedAndChangesNothing) {
  run("meeting add sap 6/1 1 1");
  const std::string before = list("sap");
  for (const char* args : {"meeting add sap 13/1 1 1", "meeting add sap 6/32 1 1", "meeting add sap 6/0 1 1",
                           "meeting add sap 6-1 1 1", "meeting add sap 6/1 13 1", "meeting add sap 6/1 1 9",
                           "meeting add sap 6/1x 1 1", "meeting add xyz 6/1 1 1", "meeting edit sap 1 6/1 1 1",
                           "meeting edit sap -1 6/1 1 1", "meeting delete sap 5 --yes", "meeting delete hak 0 --yes"}) {
    EXPECT_EQ(run(args).exitCode, 1) << args;
  }
  EXPECT_EQ(list("sap"), before);
}

}  // namespace
