// `export races --range all|YYYY [--out FILE]`: every race holding data in the range as
// a CSV table, in calendar order. `export tickets --range all|YYYY [--out FILE]`: every
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
    out_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range_);
    out_.write(ctx, exports::racesCsv(exports::exportRaces(ds, ctx.port, r, ctx.settings)));
  }

 private:
  std::string range_;
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
