#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>

#include "cli/cli_context.hpp"
#include "entry/meeting_ops.hpp"

namespace tovra::cli {

void addMeetingListCommand(CLI::App& meeting, Context& ctx);

namespace {

bool parseInt(const std::string& s, int& out) {
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data(), end, out);
  return ec == std::errc() && p == end && !s.empty();
}

// "M/D KAI NICHI" within the ranges the dialogs offer: 1-12, 1-31, 1-12, 1-8.
MeetingDate parseMeetingDate(Context& ctx, const std::string& md, const std::string& kai, const std::string& nichi) {
  MeetingDate d;
  auto slash = md.find('/');
  if (slash == std::string::npos || !parseInt(md.substr(0, slash), d.month) || !parseInt(md.substr(slash + 1), d.day) ||
      d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31)
    ctx.refuse("月日は 月/日 (1/1～12/31) で指定して下さい。");
  if (!parseInt(kai, d.kai) || d.kai < 1 || d.kai > 12) ctx.refuse("回は 1～12 で指定して下さい。");
  if (!parseInt(nichi, d.nichi) || d.nichi < 1 || d.nichi > 8) ctx.refuse("日目は 1～8 で指定して下さい。");
  return d;
}

int parseIndex(Context& ctx, const std::string& text) {
  int i = -1;
  if (!parseInt(text, i) || i < 0) ctx.refuse("開催ﾃﾞｰﾀの番号は 0 以上の数で指定して下さい。");
  return i;
}

struct Args {
  std::string course, index, md, kai, nichi;
  bool series = false;
};

}  // namespace

void addMeetingCommands(CLI::App& app, Context& ctx) {
  auto* meeting = app.add_subcommand("meeting", "Meeting days");
  meeting->require_subcommand(1);
  addMeetingListCommand(*meeting, ctx);

  static Args a;
  auto* add = meeting->add_subcommand("add", "Register a meeting day (or with --series days N..8 of its 回)");
  add->add_option("COURSE", a.course, "Course code (sap..kok) or index 0-9")->required();
  add->add_option("M/D", a.md, "Month/day, e.g. 5/2")->required();
  add->add_option("KAI", a.kai, "回 1-12")->required();
  add->add_option("NICHI", a.nichi, "日目 1-8")->required();
  add->add_flag("--series", a.series, "一括登録: also the following days of the same 回 up to 8日目");
  add->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    int c = ctx.parseCourse(a.course);
    MeetingDate d = parseMeetingDate(ctx, a.md, a.kai, a.nichi);
    int shown = a.series ? runRegisterSeries(ds, ctx.port, {}, c, d) : runRegisterSingle(ds, ctx.port, {}, c, d);
    std::cout << shown << "\n";
  });

  auto* edit = meeting->add_subcommand("edit", "Change the date and 回次 of a meeting day");
  edit->add_option("COURSE", a.course, "Course code (sap..kok) or index 0-9")->required();
  edit->add_option("INDEX", a.index, "Meeting index (as `meeting list` shows)")->required();
  edit->add_option("M/D", a.md, "New month/day")->required();
  edit->add_option("KAI", a.kai, "New 回 1-12")->required();
  edit->add_option("NICHI", a.nichi, "New 日目 1-8")->required();
  edit->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    int c = ctx.parseCourse(a.course);
    int i = parseIndex(ctx, a.index);
    MeetingDate d = parseMeetingDate(ctx, a.md, a.kai, a.nichi);
    ctx.selectMeeting(c, i);
    std::cout << runEditShown(ds, ctx.port, {}, d) << "\n";
  });

  auto* del = meeting->add_subcommand("delete", "Delete a meeting day with its races (asks twice)");
  del->add_option("COURSE", a.course, "Course code (sap..kok) or index 0-9")->required();
  del->add_option("INDEX", a.index, "Meeting index (as `meeting list` shows)")->required();
  del->add_flag("--yes", ctx.port.yes, "Answer OK to both questions");
  del->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    int c = ctx.parseCourse(a.course);
    ctx.selectMeeting(c, parseIndex(ctx, a.index));
    if (runDeleteShown(ds, ctx.port, {}) != SakujyoResult::Deleted) throw Refused();
    std::cout << ds.shown() << "\n";
  });
}

}  // namespace tovra::cli
