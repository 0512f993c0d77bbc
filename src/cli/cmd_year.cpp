#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "ledger/years.hpp"

namespace tovra::cli {

void addYearCommands(CLI::App& app, Context& ctx) {
  auto* year = app.add_subcommand("year", "Racing years");
  year->require_subcommand(1);

  year->add_subcommand("list", "Registered years, newest first")->callback([&ctx] {
    ctx.prepare();
    for (int i = 0; i < NenjiTable::kUsable && ctx.ds->nenji.nen[i] != 0; ++i) std::cout << ctx.ds->nenji.nen[i] << "\n";
  });

  auto* add = year->add_subcommand("add", "Register a year (it becomes the current year)");
  static std::string addText;
  add->add_option("YYYY", addText, "Western-calendar year, four digits")->required();
  add->callback([&ctx] {
    ctx.prepare();
    if (!registerYear(*ctx.ds, ctx.port, addText)) throw Refused();
  });

  auto* del = year->add_subcommand("delete", "Delete a year and all of its data (asks first)");
  static std::string delText;
  del->add_option("YYYY", delText, "Year to delete")->required();
  del->callback([&ctx] {
    ctx.prepare();
    int y = 0;
    for (int i = 0; i < NenjiTable::kUsable; ++i)
      if (std::to_string(ctx.ds->nenji.nen[i]) == delText && ctx.ds->nenji.nen[i] != 0) y = ctx.ds->nenji.nen[i];
    // A year that is not in the list is "nothing selected" in the dialog.
    if (!deleteYear(*ctx.ds, ctx.port, y)) throw Refused();
  });
}

}  // namespace tovra::cli
