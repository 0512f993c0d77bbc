#include "cli/parsers.hpp"

#include <CLI/CLI.hpp>
#include <charconv>
#include <filesystem>

#include "cli/cli_context.hpp"
#include "storage/fatal_error.hpp"

namespace tovra::cli {

bool parseDigits(const std::string& s, int& out, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits || s.find_first_not_of("0123456789") != std::string::npos) return false;
  return std::from_chars(s.data(), s.data() + s.size(), out).ec == std::errc();
}

int parseCourse(Context& ctx, const std::string& text) {
  const int c = courseFromText(text);
  if (c < 0) ctx.refuse("競馬場は sap hak fuk nii tok nak chu kyo han kok または 0～9 で指定して下さい。");
  return c;
}

int parseMeetingIndex(Context& ctx, int course, const std::string& text) {
  int i = -1;
  if (parseDigits(text, i, 9)) return i;
  const auto dash = text.find('-');
  int month = 0, day = 0;
  if (dash == std::string::npos || !parseDigits(text.substr(0, dash), month, 2) ||
      !parseDigits(text.substr(dash + 1), day, 2))
    ctx.refuse("開催ﾃﾞｰﾀの番号は 0 以上の数で指定して下さい。");
  DataStore& ds = ctx.requireYear();
  const auto found = ds.ledger().findDay(ds.year, course, month, day);
  if (!found) throw FatalFileError(found.failure().code, found.failure().path);
  if (!*found) ctx.refuse(std::string(keibajo(course).name) + "競馬場に開催ﾃﾞｰﾀ " + text + " はありません。");
  return **found;
}

int parseRace(Context& ctx, const std::string& text) {
  int r = 0;
  if (!parseDigits(text, r, 2) || r < 1 || r > 12) ctx.refuse("ﾚｰｽ番号は 1～12 で指定して下さい。");
  return r - 1;
}

MonthDay parseMonthDay(Context& ctx, const std::string& text) {
  MonthDay md;
  const auto slash = text.find('/');
  if (slash == std::string::npos || !parseDigits(text.substr(0, slash), md.month, 2) ||
      !parseDigits(text.substr(slash + 1), md.day, 2) || md.month < 1 || md.month > 12 || md.day < 1 || md.day > 31)
    ctx.refuse("月日は 月/日 (1/1～12/31) で指定して下さい。");
  return md;
}

tally::TallyRange parseTallyRange(Context& ctx, const std::string& text, const char* badFormat) {
  DataStore& ds = ctx.requireYear();
  if (text == "all") return tally::TallyRange::all();
  int year = 0;
  if (text.size() != 4 || !parseDigits(text, year, 4)) ctx.refuse(badFormat);
  if (tally::yearPosition(ds.nenji, year) < 0) ctx.refuse("年次 " + text + "年は登録されていません。");
  return tally::TallyRange::oneYear(year);
}

void MeetingArgs::define(CLI::App& app) {
  app.add_option("COURSE", course, kCourseHelp)->required();
  app.add_option("INDEX", index, kIndexHelp)->required()->type_name("INT");
}

void RaceArgs::define(CLI::App& app) {
  meeting.define(app);
  app.add_option("RACE", race, "Race number 1-12")->required()->type_name("INT");
}

void defineTallyRange(CLI::App& app, std::string& range) {
  app.add_option("--range", range, "all, or a registered year YYYY")->required();
}

std::string absoluteFileOption(const std::string& text) {
  if (text.empty()) throw CLI::ValidationError(kEmptyFileName);
  return std::filesystem::absolute(text).string();
}

}  // namespace tovra::cli
