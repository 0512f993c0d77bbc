// `settings show` and `settings set`: the settings dialog's choices and colours, written
// to tovractm.dat at once.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_context.hpp"
#include "cli/parsers.hpp"
#include "features/settings/settings_edit.hpp"

namespace tovra::cli {

namespace {

const char* const kPages[] = {"単･複", "枠連･ﾜｲﾄﾞ", "馬連"};

void show(std::ostream& out, const SettingsRecord& s) {
  const SettingsChoices c = choicesOf(s);
  out << "start-course\t" << keibajo(c.startCourse).folder << "\t" << keibajo(c.startCourse).name << "\n"
      << "confirm-exit\t" << (c.confirmExit ? "on" : "off") << "\n"
      << "race-page\t" << c.racePage << "\t" << kPages[c.racePage] << "\n"
      << "new-age-labels\t" << (c.newAgeLabels ? "on" : "off") << "\n"
      << "option-digits\t" << s.optionDigits << "\n";
  for (int i = 0; i < SettingsRecord::kColours; ++i)
    out << "color " << i << "\t" << colourHex(s.colours[i]) << "\t" << colourListTexts()[static_cast<std::size_t>(i)]
        << "\n";
}

bool onOff(const std::string& v) { return v == "on"; }

class SettingsShow : public Command {
 public:
  SettingsShow() : Command("settings", "show", "Start course, options and the eight colours", Writes::Nothing) {}
  void define(CLI::App&) override {}
  void run(Context& ctx) override {
    ctx.prepare();
    show(ctx.out, ctx.settings);
  }
};

class SettingsSet : public Command {
 public:
  SettingsSet()
      : Command("settings", "set", "Change settings as the 各種設定 dialog does, and store them", Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("--color", colours_, "Colour N (0-7, see settings show) as N=#RRGGBB; may be repeated");
    app.add_option("--start-course", startCourse_, "Course shown at start-up: sap..kok or 0-9");
    app.add_option("--confirm-exit", confirmExit_, "Ask before ending with the exit button")
        ->check(CLI::IsMember({"on", "off"}));
    app.add_option("--race-page", racePage_, "Race window's first ticket page: 0 単･複, 1 枠連･ﾜｲﾄﾞ, 2 馬連")
        ->check(CLI::Range(0, 2));
    app.add_option("--new-age-labels", newAges_, "New age labels for years up to 2000 too")
        ->check(CLI::IsMember({"on", "off"}));
  }
  void run(Context& ctx) override {
    ctx.prepare();
    SettingsRecord s = ctx.settings;
    SettingsChoices c = choicesOf(s);
    if (!startCourse_.empty()) c.startCourse = parseCourse(ctx, startCourse_);
    if (!confirmExit_.empty()) c.confirmExit = onOff(confirmExit_);
    if (racePage_ >= 0) c.racePage = racePage_;
    if (!newAges_.empty()) c.newAgeLabels = onOff(newAges_);
    applyChoices(s, c);
    for (const std::string& item : colours_) {
      const auto eq = item.find('=');
      const std::string index = item.substr(0, eq);
      const bool indexOk = index.size() == 1 && index[0] >= '0' && index[0] <= '7';
      const auto colour = eq == std::string::npos ? std::nullopt : colourFromHex(item.substr(eq + 1));
      if (!indexOk || !colour) ctx.refuse("色は N=#RRGGBB (N は 0～7) で指定して下さい。: " + item);
      s.colours[index[0] - '0'] = *colour;
    }
    if (!saveSettings(ctx.ds->fs(), ctx.ds->root(), s)) ctx.refuse("設定ﾌｧｲﾙ tovractm.dat を書き込めませんでした。");
    ctx.settings = s;
    show(ctx.out, s);
  }

 private:
  std::vector<std::string> colours_;
  std::string startCourse_, confirmExit_, newAges_;
  int racePage_ = -1;
};

}  // namespace

void addSettingsCommands(CommandSet& set) {
  set.group("settings", "Show or change the settings (tovractm.dat)");
  set.add<SettingsShow>();
  set.add<SettingsSet>();
}

}  // namespace tovra::cli
