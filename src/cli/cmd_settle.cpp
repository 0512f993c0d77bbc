// `settle COURSE INDEX | --all`: settles meeting days again and writes them.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/parsers.hpp"
#include "features/entry/race_entry.hpp"

namespace tovra::cli {
namespace {

class Settle : public Command {
 public:
  Settle()
      : Command("", "settle", "Settle the twelve races of a meeting (or of every meeting) and write them",
                Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("COURSE", args_.course, kCourseHelp);
    app.add_option("INDEX", args_.index, kIndexHelp)->type_name("INT");
    app.add_flag("--all", all_, "Every meeting of every course of the current year");
  }
  void run(Context& ctx) override {
    const DataStore& ds = ctx.requireYear();
    if (all_) {
      for (int c = 0; c < kCourseCount; ++c)
        for (int i = 0; i < ctx.counts[static_cast<std::size_t>(c)]; ++i) settle(ctx, DayKey{ds.year, c, i});
      return;
    }
    if (args_.course.empty() || args_.index.empty()) ctx.refuse("競馬場と開催ﾃﾞｰﾀ番号を指定して下さい。(または --all)");
    settle(ctx, dayKey(ctx, args_));
  }

 private:
  static void settle(Context& ctx, const DayKey& key) {
    valueOf(ctx, settleDay(ctx.ds->ledger(), key, readDay(ctx, key)));
  }

  MeetingArgs args_;
  bool all_ = false;
};

}  // namespace

void addSettleCommands(CommandSet& set) { set.add<Settle>(); }

}  // namespace tovra::cli
