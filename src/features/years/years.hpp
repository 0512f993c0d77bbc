#pragma once
// Racing years: the list in main.dat, the first year, registering and deleting a year.
// The operations return their outcome and announce a new list of years to `events`; the
// caller asks the questions first and gives the notices after.
#include <optional>
#include <string>
#include <vector>

#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"
#include "storage/ledger_events.hpp"
#include "storage/outcome.hpp"

namespace tovra {

class UserPort;

// The year a ledger opens with: the newest registered one ("" when none is registered,
// and the first-year dialog must ask).
std::string newestYear(const NenjiTable& years);

// The racing years a ledger holds: from the first JRA year to the last of the century.
inline constexpr int kFirstRacingYear = 1954;
inline constexpr int kLastRacingYear = 2099;
// A year text the dialogs accept: exactly four digits, not starting with 0, naming a year
// from kFirstRacingYear to kLastRacingYear.
bool firstYearTextAccepted(const std::string& text);
// The refusal of a year text that is not accepted (every year dialog and `year add`).
inline constexpr const char* kYearTextRefusedText = "西暦4桁で入力して下さい。";
// Registers the first year into `years` (all zero): its files first, then main.dat with
// the year in slot 0. A failed write removes the files it created. Returns the new table.
Result<NenjiTable> registerFirstYear(const Ledger& ledger, NenjiTable years, int year);

// Creates the missing files of a year's twenty: per course one blank meeting record and
// one blank race block. Files that exist are kept as they are. Returns the number of
// meetings the kept meeting files hold. Failure to create a file is code 4 / 6, after the
// files created so far are removed. The logical paths of the files created are appended
// to `created` (when given), for the caller to remove should a later step fail.
Result<int> createYearFiles(const Ledger& ledger, const std::string& year, std::vector<std::string>* created = nullptr);

// Told when registering a year finds its files holding meetings.
inline constexpr const char* kYearFilesKeptText =
    "この年次のﾃﾞｰﾀﾌｧｲﾙが残っていました。\n\n登録済の開催ﾃﾞｰﾀはそのまま使用します。";

// A registered year: the new list, the year (now the current one), the meetings of its
// courses, and how many meetings its files held already (kept).
struct YearRegistered {
  NenjiTable years;
  std::string year;
  Ledger::MeetingCounts counts{};
  int kept = 0;
};
// 登録 of the year dialog: refused for a text not accepted, a year registered already or
// a full list; otherwise the year's files, its meeting counts and main.dat. A write that
// fails leaves nothing of the year.
Result<YearRegistered> registerYear(const Ledger& ledger, const LedgerEvents& events, const NenjiTable& years,
                                    const std::string& text);
// The notices after a registration: the files kept (when they held meetings), then the end.
void tellYearRegistered(UserPort& port, const YearRegistered& r);

// 削除 of the year dialog, what refuses it before the question: nothing selected (0) or
// the current year.
std::optional<Refusal> deleteYearRefusal(int selectedYear, int currentYear);
// The question asked before a year is deleted (OK/キャンセル, the warning icon).
inline constexpr const char* kDeleteYearQuestion =
    "//////////////////// 注意 ///////////////////////////\n\n"
    "年次を削除するとそれに対応した全てのﾃﾞｰﾀも削除されます。";
// A deleted year: the new list, and the files that could not be removed (the year is no
// longer registered; "" when every file went).
struct YearDeleted {
  NenjiTable years;
  int year = 0;
  std::string filesLeft;
};
// Saves main.dat without the year, then deletes the year's files (and what a crash left
// of them). Refused as deleteYearRefusal says.
// The bet store's rows of the year are removed with it; a store that cannot be used
// refuses the deletion (nothing changed).
Result<YearDeleted> deleteYear(const Ledger& ledger, BetStore& bets, const LedgerEvents& events,
                               const NenjiTable& years, int selectedYear, int currentYear);
// The notice after a deletion: the end, or the files left. True when every file went.
bool tellYearDeleted(UserPort& port, const YearDeleted& r);

// The question of a change of the year box from `current` to `newYear`; nullopt when
// nothing changes.
std::optional<std::string> changeYearQuestion(const std::string& current, int newYear);

// Sorts slots 0..19 descending, zeros last; slot 20 is untouched.
void sortYears(NenjiTable& years);

// The entries of a year combo box (newest first, at most 20, up to the first 0) and the
// index of the current year (0 when it is not among them). The tally and search dialogs
// show "%4d年"; the main window's year box " %d年", the year dialog's list "  %d年".
struct YearList {
  std::vector<std::string> entries;  // UTF-8
  std::vector<int> years;
  int selected = 0;
};
inline constexpr const char* kYearListFormat = "%4d年";
inline constexpr const char* kYearBoxFormat = " %d年";
inline constexpr const char* kNenBoxFormat = "  %d年";
YearList yearComboList(const NenjiTable& years, int currentYear, const char* format = kYearListFormat);

}  // namespace tovra
