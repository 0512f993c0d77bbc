// `export races --range all|YYYY [--out FILE]`: every race holding data in the range as
// a CSV table, in calendar order.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/parsers.hpp"
#include "features/export/race_export.hpp"

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

}  // namespace

void addExportCommands(CommandSet& set) {
  set.group("export", "Write ledger data as CSV for spreadsheet programs");
  set.add<ExportRaces>();
}

}  // namespace tovra::cli
