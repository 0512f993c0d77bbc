#pragma once
// The arguments several commands share, each parsed and refused in one way: course,
// meeting index, race number, month/day and tally range. Parsers take the text as typed;
// a bad one is refused with the message shown and Refused thrown.
#include <string>

#include "features/tally/tally_common.hpp"

namespace CLI {
class App;
}

namespace tovra::cli {

struct Context;

// The refusal of an empty file name, in options and arguments alike.
inline constexpr const char* kEmptyFileName = "ﾌｧｲﾙ名を指定して下さい。";
// The value of a file option (--out, --pdf, --png) as typed, made absolute against the folder
// the command is run from (not -C). An empty name is a parse error (message, exit 1).
std::string absoluteFileOption(const std::string& text);

// Digits only, one to `maxDigits` of them (no sign, no spaces), into `out`.
bool parseDigits(const std::string& text, int& out, std::size_t maxDigits);

// A course by its code (sap..kok, any case) or its index 0-9.
int parseCourse(Context& ctx, const std::string& text);
// A meeting of `course` in the current year: its index as `meeting list` shows it (0 or
// more), or the date it is held as MM-DD ("05-30", also "5-30").
int parseMeetingIndex(Context& ctx, int course, const std::string& text);
// A race number 1-12; returns the race's index 0-11.
int parseRace(Context& ctx, const std::string& text);

struct MonthDay {
  int month = 0, day = 0;
};
// "M/D" within the dialogs' boxes: month 1-12, day 1-31, one or two digits each.
MonthDay parseMonthDay(Context& ctx, const std::string& text);

// `--range all|YYYY` of the tallies and searches: every registered year, or a registered
// year. Requires a registered current year.
tally::TallyRange parseTallyRange(Context& ctx, const std::string& text,
                                  const char* badFormat = "集計範囲は all または西暦4桁の年次で指定して下さい。");
// The required option `--range all|YYYY` that parseTallyRange reads.
void defineTallyRange(CLI::App& app, std::string& range);

// COURSE INDEX: a meeting day of the current year.
struct MeetingArgs {
  std::string course, index;
  void define(CLI::App& app);  // the key: dayKey (cli/day_args.hpp)
};

// COURSE INDEX RACE: one race of a meeting day.
struct RaceArgs {
  MeetingArgs meeting;
  std::string race;
  void define(CLI::App& app);  // the address: raceAddress (cli/day_args.hpp)
};

// Help texts of the shared positional arguments.
inline constexpr const char* kCourseHelp = "Course code (sap..kok) or index 0-9";
inline constexpr const char* kIndexHelp = "Meeting index (0-based)";

}  // namespace tovra::cli
