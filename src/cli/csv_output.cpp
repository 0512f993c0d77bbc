#include "cli/csv_output.hpp"

#include <CLI/CLI.hpp>
#include <filesystem>

#include "cli/cli_context.hpp"
#include "cli/parsers.hpp"
#include "features/export/tally_csv.hpp"

namespace tovra::cli {

void CsvOut::define(CLI::App& app) {
  app.add_option("--out", path, "Write the CSV file (UTF-8 with BOM) instead of printing it")
      ->each([this](const std::string& v) { path = absoluteFileOption(v); });
}

void CsvOut::write(Context& ctx, const exports::CsvTable& table) const {
  if (path.empty()) {
    ctx.out << table.text();
    return;
  }
  if (!exports::writeCsvFile(ctx.ds->fs(), ctx.port, path, table)) throw Refused();
}

void TallyCsvFlag::define(CLI::App& app) {
  app.add_flag("--csv", on, "Print the whole result as CSV (UTF-8 with BOM), as the window's CSV保存 saves it");
}

bool TallyCsvFlag::print(Context& ctx, tally::TallyKind kind) const {
  if (!on) return false;
  const auto table = exports::tallyCsv(*ctx.ds, ctx.port, kind);
  if (!table) throw Refused();
  ctx.out << table->text();
  return true;
}

}  // namespace tovra::cli
