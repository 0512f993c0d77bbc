#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "mainwindow/meeting_view.hpp"

namespace tovra::cli {

void printMeetingView(std::ostream& out, const MeetingView& v) {
  out << v.kaisaiPanel << "\n";
  for (int r = 0; r < 12; ++r) {
    const MeetingRowView& row = v.rows[r];
    out << (r + 1) << "R\t" << row.raceName << "\t" << row.kou << "\t" << row.shu;
    if (row.hit) out << "\t的中";
    out << "\n";
  }
  out << "合計\t" << v.kou13 << "\t" << v.shu13 << "\n";
}

void addShowCommands(CLI::App& app, Context& ctx) {
  auto* show = app.add_subcommand("show", "Show ledger data as the windows do");
  show->require_subcommand(1);
  auto* meeting = show->add_subcommand("meeting", "The meeting view of the main window");
  static std::string course;
  static int index = 0;
  meeting->add_option("COURSE", course, "Course code (sap..kok) or index 0-9")->required();
  meeting->add_option("INDEX", index, "Meeting index (0-based)")->required();
  meeting->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    int c = ctx.parseCourse(course);
    ds.course = c;
    if (ds.meetingCount[c] == 0 && index == 0) {
      // A course without meetings shows its empty view.
      printMeetingView(std::cout, showMeetingView(ds));
      return;
    }
    ctx.selectMeeting(c, index);
    printMeetingView(std::cout, showMeetingView(ds));
  });
  addShowRaceCommand(*show, ctx);
}

}  // namespace tovra::cli
