// `year list|add|delete`: the racing years.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/cli_selection.hpp"
#include "features/years/years.hpp"
#include "storage/user_port.hpp"

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
    const LedgerEvents events{};
    const auto r = registerYear(ctx.ds->ledger(), events, ctx.ds->nenji, text_);
    if (r.failed()) endWith(ctx, r.failure());
    if (r.refused()) {
      showRefusal(ctx.port, r.refusal());
      throw Refused();
    }
    tellYearRegistered(ctx.port, *r);
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
    const int current = runYearNumber(ctx);
    if (const auto refusal = deleteYearRefusal(y, current)) {
      showRefusal(ctx.port, *refusal);
      throw Refused();
    }
    if (!askOkCancel(ctx.port, kDeleteYearQuestion, MsgIcon::Warning)) throw Refused();
    const LedgerEvents events{};
    const auto r = deleteYear(ctx.ds->ledger(), ctx.bets(), events, ctx.ds->nenji, y, current);
    if (r.failed()) endWith(ctx, r.failure());
    if (r.refused()) {
      showRefusal(ctx.port, r.refusal());
      throw Refused();
    }
    if (!tellYearDeleted(ctx.port, *r)) throw Refused();
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
