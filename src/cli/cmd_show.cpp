// `show meeting COURSE INDEX`: the meeting view of the main window as text.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/bets_json.hpp"
#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/main/main_selection.hpp"
#include "features/main/meeting_view.hpp"

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
  void define(CLI::App& app) override {
    args_.define(app);
    app.add_flag("--json", json_,
                 "Print the day as JSON: its twelve races (every line, result, scratch and figure of every type) and "
                 "the day's figures");
  }
  void run(Context& ctx) override {
    const DataStore& ds = ctx.requireYear();
    if (json_) {
      const DayKey key = dayKey(ctx, args_);
      const MeetingDay day = readDay(ctx, key);
      printMeetingJson(ctx.out, key, day, valueOf(ctx, readDayBets(ctx.bets(), ds.ledger(), key)));
      return;
    }
    // The view of the main window showing that meeting; a course without meetings shows
    // its empty view (meeting 0).
    MainSelection sel;
    sel.course = parseCourse(ctx, args_.course);
    sel.meetingCount = ctx.counts;
    const int index = parseMeetingIndex(ctx, sel.course, args_.index);
    if (sel.count() != 0 || index != 0) sel.show(dayKey(ctx, args_).index);
    if (const Status read = readShownDay(ds.ledger(), ds.year, sel); !read) ctx.ds->fatal(read.failure());
    printMeetingView(ctx.out, formatMeetingView(sel));
  }

 private:
  MeetingArgs args_;
  bool json_ = false;
};

}  // namespace

void addShowCommands(CommandSet& set) {
  set.group("show", "Show ledger data as the windows do");
  set.add<ShowMeeting>();
  addShowRaceCommand(set);
}

}  // namespace tovra::cli
