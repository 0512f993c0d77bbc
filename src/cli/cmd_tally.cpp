#include <CLI/CLI.hpp>
#include <cctype>

#include "cli/cli_context.hpp"

namespace tovra::cli {

tally::TallyRange parseTallyRange(Context& ctx, const std::string& text, const char* badFormat) {
  DataStore& ds = ctx.requireYear();
  if (text == "all") return tally::TallyRange::all();
  bool digits = text.size() == 4;
  for (char ch : text) digits = digits && std::isdigit(static_cast<unsigned char>(ch));
  if (!digits) ctx.refuse(badFormat);
  int year = std::stoi(text);
  if (tally::yearPosition(ds.nenji, year) < 0) ctx.refuse("年次 " + text + "年は登録されていません。");
  return tally::TallyRange::oneYear(year);
}

// `tally SUBCOMMAND`: each tally writes its work file exactly as the window's tally
// does and prints the result as its window shows it.
void addTallyCommands(CLI::App& app, Context& ctx) {
  auto* tally = app.add_subcommand("tally", "Run a tally, write its work file in tmp/ and print the result");
  tally->require_subcommand(1);
  addTallyShushi(*tally, ctx);
  addTallyKoumoku(*tally, ctx);
  addTallyRank(*tally, ctx);
  addTallyJyoken(*tally, ctx);
}

}  // namespace tovra::cli
