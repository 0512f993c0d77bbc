#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "settings/settings_edit.hpp"

namespace tovra::cli {

namespace {

const char* const kPages[] = {"単･複", "枠連･ﾜｲﾄﾞ", "馬連"};

void show(const SettingsRecord& s) {
  const SettingsChoices c = choicesOf(s);
  std::cout << "start-course\t" << keibajo(c.startCourse).folder << "\t" << keibajo(c.startCourse).name << "\n"
            << "confirm-exit\t" << (c.confirmExit ? "on" : "off") << "\n"
            << "race-page\t" << c.racePage << "\t" << kPages[c.racePage] << "\n"
            << "new-age-labels\t" << (c.newAgeLabels ? "on" : "off") << "\n"
            << "option-digits\t" << s.optionDigits << "\n";
  for (int i = 0; i < SettingsRecord::kColours; ++i)
    std::cout << "color " << i << "\t" << colourHex(s.colours[i]) << "\t" << colourListTexts()[static_cast<std::size_t>(i)]
              << "\n";
}

bool onOff(const std::string& v) { return v == "on"; }

}  // namespace

// `settings show` and `settings set`: the settings dialog's choices and colours, written
// to tovractm.dat at once.
void addSettingsCommands(CLI::App& app, Context& ctx) {
  auto* settings = app.add_subcommand("settings", "Show or change the settings (tovractm.dat)");
  settings->require_subcommand(1);

  auto* showCmd = settings->add_subcommand("show", "Start course, options and the eight colours");
  showCmd->callback([&ctx] {
    ctx.prepare();
    show(ctx.settings);
  });

  auto* set = settings->add_subcommand("set", "Change settings as the 各種設定 dialog does, and store them");
  static std::vector<std::string> colours;
  static std::string startCourse, confirmExit, newAges;
  static int racePage = -1;
  set->add_option("--color", colours, "Colour N (0-7, see settings show) as N=#RRGGBB; may be repeated");
  set->add_option("--start-course", startCourse, "Course shown at start-up: sap..kok or 0-9");
  set->add_option("--confirm-exit", confirmExit, "Ask before ending with the exit button")->check(CLI::IsMember({"on", "off"}));
  set->add_option("--race-page", racePage, "Race window's first ticket page: 0 単･複, 1 枠連･ﾜｲﾄﾞ, 2 馬連")
      ->check(CLI::Range(0, 2));
  set->add_option("--new-age-labels", newAges, "New age labels for years up to 2000 too")->check(CLI::IsMember({"on", "off"}));
  set->callback([&ctx] {
    ctx.prepare();
    SettingsRecord s = ctx.settings;
    SettingsChoices c = choicesOf(s);
    if (!startCourse.empty()) c.startCourse = ctx.parseCourse(startCourse);
    if (!confirmExit.empty()) c.confirmExit = onOff(confirmExit);
    if (racePage >= 0) c.racePage = racePage;
    if (!newAges.empty()) c.newAgeLabels = onOff(newAges);
    applyChoices(s, c);
    for (const std::string& item : colours) {
      const auto eq = item.find('=');
      const std::string index = item.substr(0, eq);
      const bool indexOk = index.size() == 1 && index[0] >= '0' && index[0] <= '7';
      const auto colour = eq == std::string::npos ? std::nullopt : colourFromHex(item.substr(eq + 1));
      if (!indexOk || !colour) ctx.refuse("色は N=#RRGGBB (N は 0～7) で指定して下さい。: " + item);
      s.colours[index[0] - '0'] = *colour;
    }
    if (!saveSettings(ctx.ds->fs(), ctx.ds->root(), s)) ctx.refuse("設定ﾌｧｲﾙ tovractm.dat を書き込めませんでした。");
    ctx.settings = s;
    show(s);
  });
}

}  // namespace tovra::cli
