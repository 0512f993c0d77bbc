#include "features/years/years.hpp"

#include "storage/bet_intents.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "storage/fileio.hpp"
#include "storage/meeting_scan.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra {

std::string newestYear(const NenjiTable& years) {
  return years.nen[0] == 0 ? std::string() : std::to_string(years.nen[0]);
}

bool firstYearTextAccepted(const std::string& text) {
  // Four digits of a Western year. A leading 0 would name the year's files with four
  // digits ("0999sap.dat") while main.dat keeps the number, whose text (999) names
  // other files: the year could never be opened again.
  if (text.size() != 4 || text.find_first_not_of("0123456789") != std::string::npos || text[0] == '0') return false;
  // Racing under the JRA began in 1954; a year far outside is a typing slip.
  const int year = std::stoi(text);
  return year >= kFirstRacingYear && year <= kLastRacingYear;
}

namespace {

// Removes the files a failed registration created; the files that were there before stay.
void removeCreated(const Ledger& ledger, const std::vector<std::string>& created) {
  std::vector<std::filesystem::path> folders;
  for (const std::string& logical : created) {
    const auto p = ledger.locate(logical);
    ledger.fs().remove(p);
    if (std::find(folders.begin(), folders.end(), p.parent_path()) == folders.end()) folders.push_back(p.parent_path());
  }
  for (const auto& folder : folders) ledger.fs().syncDirectory(folder);
}

// The year's files, its meeting counts and main.dat with `years`: the files first and
// main.dat last, so that a failed write leaves no year that main.dat names without its
// files, and (the created files removed again) no files of a year main.dat does not name.
Result<YearRegistered> writeYear(const Ledger& ledger, const NenjiTable& years, const std::string& year) {
  std::vector<std::string> created;
  YearRegistered done{years, year, {}, 0};
  auto kept = createYearFiles(ledger, year, &created);
  std::optional<FileFailure> failed;
  if (!kept) failed = kept.failure();
  if (!failed) {
    done.kept = *kept;
    auto counts = ledger.countMeetings(year);
    if (counts)
      done.counts = *counts;
    else
      failed = counts.failure();
  }
  if (!failed) failed = ledger.writeYears(years);
  if (failed) {
    removeCreated(ledger, created);
    return *failed;
  }
  return done;
}

}  // namespace

Result<NenjiTable> registerFirstYear(const Ledger& ledger, NenjiTable years, int year) {
  years.nen[0] = static_cast<std::uint16_t>(year);
  auto r = writeYear(ledger, years, std::to_string(year));
  if (!r) return r.failure();
  return years;
}

Result<int> createYearFiles(const Ledger& ledger, const std::string& year, std::vector<std::string>* createdOut) {
  const std::vector<std::uint8_t> blankBlock(kRaceBlockSize, 0);
  std::vector<std::string> own;
  std::vector<std::string>& created = createdOut ? *createdOut : own;
  const std::size_t before = created.size();
  FileSystem& fs = ledger.fs();
  int kept = 0;
  const auto fail = [&](int code, const std::string& file) {
    removeCreated(ledger,
                  std::vector<std::string>(created.begin() + static_cast<std::ptrdiff_t>(before), created.end()));
    created.resize(before);
    return FileFailure{code, file};
  };
  for (int c = 0; c < kCourseCount; ++c) {
    // A file that is there already is the year's data (main.dat may have lost the year):
    // it is kept as it is, never emptied.
    const std::string mp = meetingFilePath(year, c);
    if (auto f = fs.open(ledger.locate(mp), OpenMode::Read)) {
      kept += static_cast<int>(scanMeetingFile(*f, false).count());
    } else {
      if (!writeWholeFile(fs, ledger.locate(mp), blankBlock.data(), KaisaiRecord::kSize)) return fail(4, mp);
      created.push_back(mp);
    }
    const std::string rp = raceFilePath(year, c);
    if (!fs.exists(ledger.locate(rp))) {
      if (!writeWholeFile(fs, ledger.locate(rp), blankBlock)) return fail(6, rp);
      created.push_back(rp);
    }
  }
  return kept;
}

void sortYears(NenjiTable& years) {
  auto& n = years.nen;
  for (int i = 0; i < NenjiTable::kUsable; ++i)
    for (int j = 0; j < NenjiTable::kUsable; ++j)
      if (n[j] < n[i]) std::swap(n[i], n[j]);
}

Result<YearRegistered> registerYear(const Ledger& ledger, const LedgerEvents& events, const NenjiTable& years,
                                    const std::string& text) {
  if (!firstYearTextAccepted(text)) return Refusal{MsgIcon::Error, kYearTextRefusedText};
  const int year = std::stoi(text);
  for (int i = 0; i < NenjiTable::kUsable; ++i)
    if (years.nen[i] == year) return Refusal{MsgIcon::Error, "既に登録されている年次は登録出来ません。"};
  const int slot = years.count();
  // Twenty years fill the table; a 21st would land in the slot that must stay 0.
  if (slot >= NenjiTable::kUsable)
    return Refusal{MsgIcon::Error, "登録出来る年次は20年までです。\n\n不要な年次を削除してから登録して下さい。"};
  NenjiTable after = years;
  after.nen[slot] = static_cast<std::uint16_t>(year);
  sortYears(after);
  auto r = writeYear(ledger, after, text);
  if (r) events.yearsChanged();
  return r;
}

void tellYearRegistered(UserPort& port, const YearRegistered& r) {
  if (r.kept > 0) showInfo(port, "確認", kYearFilesKeptText);
  showInfo(port, "年次登録終了", "年次 " + r.year + "年を登録しました。");
}

std::optional<Refusal> deleteYearRefusal(int selectedYear, int currentYear) {
  if (selectedYear == 0) return Refusal{MsgIcon::Error, "削除する年次を選択して下さい。"};
  if (selectedYear == currentYear) return Refusal{MsgIcon::Error, "現在処理中の年次は削除出来ません。"};
  return std::nullopt;
}

Result<YearDeleted> deleteYear(const Ledger& ledger, BetStore& bets, const LedgerEvents& events,
                               const NenjiTable& years, int selectedYear, int currentYear) {
  if (auto refusal = deleteYearRefusal(selectedYear, currentYear)) return *refusal;
  // The bet store's rows of the year go with it: the intent first, settled once main.dat
  // no longer holds the year (or at the next open after a crash).
  const auto intent = beginYearIntent(bets, selectedYear);
  if (!intent) return intent.refusal();
  // The table first: a crash or a file that cannot be removed then leaves files of a year
  // that is no longer registered (registering it again keeps them), never a registered
  // year whose files are gone.
  YearDeleted done{years, selectedYear, {}};
  for (int i = 0; i < NenjiTable::kUsable; ++i)
    if (done.years.nen[i] == selectedYear) done.years.nen[i] = 0;
  sortYears(done.years);
  if (auto failed = ledger.writeYears(done.years)) return *failed;
  events.yearsChanged();
  if (*intent) settleIntent(bets, ledger, **intent);
  const std::string y = std::to_string(selectedYear);
  FileSystem& fs = ledger.fs();
  for (int c = 0; c < kCourseCount; ++c) {
    for (const std::string& logical : {meetingFilePath(y, c), raceFilePath(y, c)}) {
      const auto p = ledger.locate(logical);
      if (fs.exists(p) && !fs.remove(p)) done.filesLeft += "\n" + logical;
    }
    const auto folder = ledger.locate(courseFolderPath(c));
    removeLeftoversOf(fs, folder, y);
    fs.syncDirectory(folder);
  }
  return done;
}

bool tellYearDeleted(UserPort& port, const YearDeleted& r) {
  const std::string y = std::to_string(r.year);
  if (!r.filesLeft.empty()) {
    showError(port, "年次 " + y + "年のﾌｧｲﾙを削除出来ませんでした。\n" + r.filesLeft);
    return false;
  }
  showInfo(port, "年次削除終了", "年次 " + y + "年を削除しました。");
  return true;
}

std::optional<std::string> changeYearQuestion(const std::string& current, int newYear) {
  if (std::to_string(newYear) == current) return std::nullopt;
  char buf[128];
  std::snprintf(buf, sizeof buf, "年次を変更します。\n\n%s年 → %d年", current.c_str(), newYear);
  return std::string(buf);
}

YearList yearComboList(const NenjiTable& years, int currentYear, const char* format) {
  YearList list;
  for (int i = 0; i < NenjiTable::kUsable && years.nen[i] != 0; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, years.nen[i]);
    list.entries.push_back(buf);
    list.years.push_back(years.nen[i]);
    if (years.nen[i] == currentYear) list.selected = i;
  }
  return list;
}

}  // namespace tovra
