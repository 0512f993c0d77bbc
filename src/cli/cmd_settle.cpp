#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "entry/settlement.hpp"

namespace tovra::cli {

void addSettleCommands(CLI::App& app, Context& ctx) {
  auto* settle = app.add_subcommand("settle", "Settle the twelve races of a meeting (or of every meeting) and write them");
  static std::string course;
  static int index = -1;
  static bool all = false;
  settle->add_option("COURSE", course, "Course code (sap..kok) or index 0-9");
  settle->add_option("INDEX", index, "Meeting index (0-based)");
  settle->add_flag("--all", all, "Every meeting of every course of the current year");
  settle->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    if (all) {
      for (int c = 0; c < kCourseCount; ++c) {
        ds.course = c;
        for (int i = 0; i < ds.meetingCount[c]; ++i) {
          ds.shownMeeting[c] = i;
          ds.readShown();
          settleAllRaces(ds.kaisai, ds.races);
          ds.writeShown();
        }
        ds.shownMeeting[c] = 0;
      }
      return;
    }
    if (course.empty() || index < 0) ctx.refuse("競馬場と開催ﾃﾞｰﾀ番号を指定して下さい。(または --all)");
    ctx.selectMeeting(ctx.parseCourse(course), index);
    settleAllRaces(ds.kaisai, ds.races);
    ds.writeShown();
  });
}

}  // namespace tovra::cli
