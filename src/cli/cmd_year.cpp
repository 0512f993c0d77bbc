// `year list|add|delete`: the racing years.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "ledger/years.hpp"

namespace tovra::cli {
namespace {

class YearList : public Command {
 public:
  YearList() : Command("year", "list", "Registered years, newest first", Writes::Nothing) {}
  void define(CLI::App&) override {}
  void run(Context& ctx) override {
    ctx.prepare();
    for (int i = 0; i < NenjiTable::kUsable && ctx.ds->nenji.nen[i] != 0; ++i) ctx.out << ctx.ds->nenji.nen[i] << "\n";
  }
};

class YearAdd : public Command {
 public:
  YearAdd() : Command("year", "add", "Register a year (it becomes the current year)", Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("YYYY", text_, "Western-calendar year, four digits")->required();
  }
  void run(Context& ctx) override {
    ctx.prepare();
    if (!registerYear(*ctx.ds, ctx.port, text_)) throw Refused();
  }

 private:
  std::string text_;
};

class YearDelete : public Command {
 public:
  YearDelete() : Command("year", "delete", "Delete a year and all of its data (asks first)", Writes::Ledger) {}
  void define(CLI::App& app) override { app.add_option("YYYY", text_, "Year to delete")->required(); }
  void run(Context& ctx) override {
    ctx.prepare();
    int y = 0;
    for (int i = 0; i < NenjiTable::kUsable; ++i)
      if (std::to_string(ctx.ds->nenji.nen[i]) == text_ && ctx.ds->nenji.nen[i] != 0) y = ctx.ds->nenji.nen[i];
    // A year that is not in the list is "nothing selected" in the dialog.
    if (deleteYear(*ctx.ds, ctx.port, y) != DeleteYearResult::Deleted) throw Refused();
  }

 private:
  std::string text_;
};

}  // namespace

void addYearCommands(CommandSet& set) {
  set.group("year", "Racing years");
  set.addEach<YearList, YearAdd, YearDelete>();
}

}  // namespace tovra::cli
