// `export races --range all|YYYY [--all-types] [--out FILE]`: every race holding data in
// the range as a CSV table, in calendar order; with --all-types the columns of 馬単, 3連複,
// 3連単 and of all eight types follow (and the races bought only in the new types). `export tickets --range all|YYYY [--out FILE]`: every
// ticket line of every bet type, one row each.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/parsers.hpp"
#include "cli/day_args.hpp"
#include "features/export/race_export.hpp"
#include "features/export/ticket_export.hpp"

namespace tovra::cli {
namespace {

class ExportRaces : public Command {
 public:
  ExportRaces()
      : Command("export", "races", "Every race of a range as CSV: date, course, 回日目, race, name, items, money, hit",
                Writes::Nothing) {}
  void define(CLI::App& app) override {
    defineTallyRange(app, range_);
    app.add_flag("--all-types", allTypes_,
                 "Append the bought, refunded and return of umatan, sanrenpuku and sanrentan and the figures of all "
                 "eight types after the usual columns");
    out_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range_);
    if (!allTypes_) return out_.write(ctx, exports::racesCsv(exports::exportRaces(ds, ctx.port, r, ctx.settings)));
    out_.write(ctx, exports::racesCsvAllTypes(
                        valueOf(ctx, exports::exportRacesAllTypes(ds, ctx.port, ctx.bets(), r, ctx.settings))));
  }

 private:
  std::string range_;
  bool allTypes_ = false;
  CsvOut out_;
};

class ExportTickets : public Command {
 public:
  ExportTickets()
      : Command("export", "tickets",
                "Every ticket line of a range as CSV: date, course, race, type, method, sets, points, stake, bought, "
                "refunded, return",
                Writes::Nothing) {}
  void define(CLI::App& app) override {
    defineTallyRange(app, range_);
    out_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range_);
    std::vector<std::string> years;
    for (int y : tally::rangeYears(ds.nenji, r)) years.push_back(std::to_string(y));
    out_.write(ctx, exports::ticketsCsv(valueOf(ctx, ticketRows(ds.ledger(), ctx.bets(), years))));
  }

 private:
  std::string range_;
  CsvOut out_;
};

}  // namespace

void addExportCommands(CommandSet& set) {
  set.group("export", "Write ledger data as CSV for spreadsheet programs");
  set.add<ExportRaces>();
  set.add<ExportTickets>();
}

}  // namespace tovra::cli
