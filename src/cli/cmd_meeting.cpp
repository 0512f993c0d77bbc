// `meeting list|add|edit|delete`: the meeting days of a course in the current year.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/cli_selection.hpp"
#include "cli/parsers.hpp"
#include "features/bets/win5_bets.hpp"
#include "features/entry/meeting_ops.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

// The end of a meeting operation: the done sound and the index of the day it gives; a
// refusal is told and the command refused.
void printOutcome(Context& ctx, const Result<MeetingPlace>& r) {
  if (r.failed()) endWith(ctx, r.failure());
  if (r.refused()) {
    tellRefusal(ctx.port, r.refusal());
    throw Refused();
  }
  ctx.port.asterisk();
  ctx.out << r->index << "\n";
}

// "M/D KAI NICHI" within the ranges the dialogs offer: 1-12, 1-31, 1-12, 1-8.
struct DateArgs {
  std::string md, kai, nichi;
  // `isNew`: the new date of an edited day.
  void define(CLI::App& app, bool isNew) {
    const std::string prefix = isNew ? "New " : "";
    app.add_option("M/D", md, isNew ? "New month/day" : "Month/day, e.g. 5/2")->required();
    app.add_option("KAI", kai, prefix + "回 1-12")->required();
    app.add_option("NICHI", nichi, prefix + "日目 1-8")->required();
  }
  MeetingDate parse(Context& ctx) const {
    const MonthDay m = parseMonthDay(ctx, md);
    MeetingDate d;
    d.month = m.month;
    d.day = m.day;
    if (!parseDigits(kai, d.kai, 9) || d.kai < 1 || d.kai > 12) ctx.refuse("回は 1～12 で指定して下さい。");
    if (!parseDigits(nichi, d.nichi, 9) || d.nichi < 1 || d.nichi > 8) ctx.refuse("日目は 1～8 で指定して下さい。");
    return d;
  }
};

// `meeting list COURSE`: one line per meeting (index, date, kai/nichi, day purchase, day balance).
class MeetingList : public Command {
 public:
  MeetingList() : Command("meeting", "list", "Meetings of a course in the current year", Writes::Nothing) {}
  void define(CLI::App& app) override { app.add_option("COURSE", course_, kCourseHelp)->required(); }
  void run(Context& ctx) override {
    const std::string year = runYear(ctx);
    const int c = parseCourse(ctx, course_);
    const auto meetings = ctx.ds->ledger().meetings(year, c);
    if (!meetings) endWith(ctx, meetings.failure());
    for (std::size_t i = 0; const KaisaiRecord& k : *meetings) {
      ctx.out << sjprintfUtf8("%zu\t%2d月%2d日\t%d回%d日目\t%ld\t%ld", i++, k.month(), k.day(), k.kai(), k.nichi(),
                              static_cast<long>(k.kounyuGaku[12]), static_cast<long>(k.shushi[12]))
              << "\n";
    }
  }

 private:
  std::string course_;
};

class MeetingAdd : public Command {
 public:
  MeetingAdd()
      : Command("meeting", "add", "Register a meeting day (or with --series days N..8 of its 回)", Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("COURSE", course_, kCourseHelp)->required();
    date_.define(app, false);
    app.add_flag("--series", series_, "一括登録: also the following days of the same 回 up to 8日目");
  }
  void run(Context& ctx) override {
    const std::string year = runYear(ctx);
    const int c = parseCourse(ctx, course_);
    const MeetingDate d = date_.parse(ctx);
    const LedgerEvents events{};
    printOutcome(ctx, runRegisterMeetings(ctx.ds->ledger(), ctx.port, events, year, c,
                                          series_ ? seriesDates(d) : std::vector<MeetingDate>{d}));
  }

 private:
  std::string course_;
  DateArgs date_;
  bool series_ = false;
};

class MeetingEdit : public Command {
 public:
  MeetingEdit() : Command("meeting", "edit", "Change the date and 回次 of a meeting day", Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("COURSE", args_.course, kCourseHelp)->required();
    app.add_option("INDEX", args_.index, "Meeting index (as `meeting list` shows)")->required();
    date_.define(app, true);
  }
  void run(Context& ctx) override {
    runYear(ctx);
    const int c = parseCourse(ctx, args_.course);
    const int i = parseMeetingIndex(ctx, c, args_.index);
    const MeetingDate d = date_.parse(ctx);
    const DayKey key = meetingDay(ctx, c, i);
    const Ledger ledger = ctx.ds->ledger();
    const auto day = ledger.readDay(key);
    if (!day) endWith(ctx, day.failure());
    const LedgerEvents events{};
    printOutcome(ctx, runEditMeeting(ledger, ctx.bets(), ctx.port, events, key, day->meeting, d));
  }

 private:
  MeetingArgs args_;
  DateArgs date_;
};

class MeetingDelete : public Command {
 public:
  MeetingDelete() : Command("meeting", "delete", "Delete a meeting day with its races (asks twice)", Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("COURSE", args_.course, kCourseHelp)->required();
    app.add_option("INDEX", args_.index, "Meeting index (as `meeting list` shows)")->required();
    app.add_flag("--yes", yes_, "Answer OK to both questions");
  }
  void run(Context& ctx) override {
    ctx.port.yes = ctx.port.yes || yes_;
    runYear(ctx);
    const int c = parseCourse(ctx, args_.course);
    const DayKey key = meetingDay(ctx, c, parseMeetingIndex(ctx, c, args_.index));
    const Ledger ledger = ctx.ds->ledger();
    const auto day = ledger.readDay(key);
    if (!day) endWith(ctx, day.failure());
    for (const std::string& question : deleteQuestions(c, day->meeting))
      if (!askOkCancel(ctx.port, question, MsgIcon::Question)) throw Refused();
    if (const auto q = win5DeleteQuestion(ctx.bets(), key.year, c, day->meeting.month(), day->meeting.day()))
      if (!askOkCancel(ctx.port, *q, MsgIcon::Question)) throw Refused();
    const LedgerEvents events{};
    printOutcome(ctx, runDeleteMeeting(ledger, ctx.bets(), ctx.port, events, key));
  }

 private:
  MeetingArgs args_;
  bool yes_ = false;
};

}  // namespace

void addMeetingCommands(CommandSet& set) {
  set.group("meeting", "Meeting days");
  set.addEach<MeetingList, MeetingAdd, MeetingEdit, MeetingDelete>();
}

}  // namespace tovra::cli
