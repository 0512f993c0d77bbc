// `show meeting COURSE INDEX`: the meeting view of the main window as text.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_context.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "mainwindow/meeting_view.hpp"

namespace tovra::cli {

void addShowRaceCommand(CommandSet& set);

namespace {

void printMeetingView(std::ostream& out, const MeetingView& v) {
  out << v.kaisaiPanel << "\n";
  for (int r = 0; r < 12; ++r) {
    const MeetingRowView& row = v.rows[r];
    out << (r + 1) << "R\t" << terminalText(row.raceName) << "\t" << row.kou << "\t" << row.shu;
    if (row.hit) out << "\t的中";
    out << "\n";
  }
  out << "合計\t" << v.kou13 << "\t" << v.shu13 << "\n";
}

class ShowMeeting : public Command {
 public:
  ShowMeeting() : Command("show", "meeting", "The meeting view of the main window", Writes::Nothing) {}
  void define(CLI::App& app) override { args_.define(app); }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const int c = parseCourse(ctx, args_.course);
    const int index = parseMeetingIndex(ctx, c, args_.index);
    // The meeting view is formatted from the data layer's shown day.
    ds.course = c;                                // cursor bridge
    if (ds.meetingCount[c] == 0 && index == 0) {  // cursor bridge
      // A course without meetings shows its empty view.
      printMeetingView(ctx.out, showMeetingView(ds));
      return;
    }
    ctx.selectMeeting(c, index);  // cursor bridge
    printMeetingView(ctx.out, showMeetingView(ds));
  }

 private:
  MeetingArgs args_;
};

}  // namespace

void addShowCommands(CommandSet& set) {
  set.group("show", "Show ledger data as the windows do");
  set.add<ShowMeeting>();
  addShowRaceCommand(set);
}

}  // namespace tovra::cli
