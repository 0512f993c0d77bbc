#include "ledger/years.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/meeting_scan.hpp"
#include "ledger/paths.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

bool initYears(DataStore& ds) {
  if (ds.nenji.nen[0] == 0) return false;
  ds.year = std::to_string(ds.nenji.nen[0]);
  return true;
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
void removeCreated(DataStore& ds, const std::vector<std::string>& created) {
  std::vector<std::filesystem::path> folders;
  for (const std::string& logical : created) {
    const auto p = ds.resolve(logical);
    ds.fs().remove(p);
    if (std::find(folders.begin(), folders.end(), p.parent_path()) == folders.end()) folders.push_back(p.parent_path());
  }
  for (const auto& folder : folders) ds.fs().syncDirectory(folder);
}

// Runs `step` (which may end in a fatal error); on the error, the year table, the year
// shown and every file in `created` are as before the registration, then the error goes on.
template <typename Step>
void undoneOnFailure(DataStore& ds, std::vector<std::string>& created, Step step) {
  const NenjiTable table = ds.nenji;
  const std::string year = ds.year;
  try {
    step();
  } catch (...) {
    removeCreated(ds, created);
    ds.nenji = table;
    ds.year = year;
    throw;
  }
}

}  // namespace

void registerFirstYear(DataStore& ds, int year) {
  // The files first and main.dat last: a failed write leaves no year that main.dat names
  // without its files, and no files of a year main.dat does not name.
  std::vector<std::string> created;
  undoneOnFailure(ds, created, [&] {
    ds.nenji.nen[0] = static_cast<std::uint16_t>(year);
    ds.year = std::to_string(year);
    createYearFiles(ds, ds.year, &created);
    ds.saveYears();
  });
}

int createYearFiles(DataStore& ds, const std::string& year, std::vector<std::string>* createdOut) {
  static const std::vector<std::uint8_t> blankBlock(kRaceBlockSize, 0);
  std::vector<std::string> own;
  std::vector<std::string>& created = createdOut ? *createdOut : own;
  int kept = 0;
  undoneOnFailure(ds, created, [&] {
    for (int c = 0; c < kCourseCount; ++c) {
      // A file that is there already is the year's data (main.dat may have lost the year):
      // it is kept as it is, never emptied.
      const std::string mp = meetingFilePath(year, c);
      if (auto f = ds.fs().open(ds.resolve(mp), OpenMode::Read)) {
        kept += static_cast<int>(scanMeetingFile(*f, false).count());
      } else {
        if (!writeWholeFile(ds.fs(), ds.resolve(mp), blankBlock.data(), KaisaiRecord::kSize)) ds.fatal(4, mp);
        created.push_back(mp);
      }
      const std::string rp = raceFilePath(year, c);
      if (!ds.fs().exists(ds.resolve(rp))) {
        if (!writeWholeFile(ds.fs(), ds.resolve(rp), blankBlock)) ds.fatal(6, rp);
        created.push_back(rp);
      }
    }
  });
  return kept;
}

void sortYears(DataStore& ds) {
  auto& n = ds.nenji.nen;
  for (int i = 0; i < NenjiTable::kUsable; ++i)
    for (int j = 0; j < NenjiTable::kUsable; ++j)
      if (n[j] < n[i]) std::swap(n[i], n[j]);
}

namespace {
void runHooks(const YearWindowHooks& hooks) {
  if (hooks.closeDialog) hooks.closeDialog();
  if (hooks.showYears) hooks.showYears();
}
}  // namespace

bool registerYear(DataStore& ds, UserPort& port, const std::string& text, const YearWindowHooks& hooks) {
  if (!firstYearTextAccepted(text)) {
    showError(port, kYearTextRefusedText);
    return false;
  }
  int year = std::stoi(text);
  for (int i = 0; i < NenjiTable::kUsable; ++i) {
    if (ds.nenji.nen[i] == year) {
      showError(port, "既に登録されている年次は登録出来ません。");
      return false;
    }
  }
  int slot = ds.nenji.count();
  if (slot >= NenjiTable::kUsable) {
    // Twenty years fill the table; a 21st would land in the slot that must stay 0.
    showError(port, "登録出来る年次は20年までです。\n\n不要な年次を削除してから登録して下さい。");
    return false;
  }
  // A write that fails (a full disk, a read-only main.dat) leaves nothing of the year.
  std::vector<std::string> created;
  int kept = 0;
  undoneOnFailure(ds, created, [&] {
    ds.year = text;
    ds.nenji.nen[slot] = static_cast<std::uint16_t>(year);
    kept = createYearFiles(ds, ds.year, &created);
    ds.countMeetings();
    sortYears(ds);
    ds.saveYears();
  });
  runHooks(hooks);
  if (kept > 0) showInfo(port, "確認", kYearFilesKeptText);
  showInfo(port, "年次登録終了", "年次 " + text + "年を登録しました。");
  return true;
}

DeleteYearResult deleteYear(DataStore& ds, UserPort& port, int selectedYear, const YearWindowHooks& hooks) {
  if (selectedYear == 0) {
    showError(port, "削除する年次を選択して下さい。");
    return DeleteYearResult::Refused;
  }
  if (selectedYear == ds.yearNumber()) {
    showError(port, "現在処理中の年次は削除出来ません。");
    return DeleteYearResult::Refused;
  }
  if (!askOkCancel(port,
                   "//////////////////// 注意 ///////////////////////////\n\n"
                   "年次を削除するとそれに対応した全てのﾃﾞｰﾀも削除されます。",
                   MsgIcon::Warning))
    return DeleteYearResult::Refused;
  // The table first: a crash or a file that cannot be removed then leaves files of a year
  // that is no longer registered (registering it again keeps them), never a registered
  // year whose files are gone.
  for (int i = 0; i < NenjiTable::kUsable; ++i)
    if (ds.nenji.nen[i] == selectedYear) ds.nenji.nen[i] = 0;
  sortYears(ds);
  ds.saveYears();
  runHooks(hooks);
  const std::string y = std::to_string(selectedYear);
  std::string left;
  for (int c = 0; c < kCourseCount; ++c) {
    for (const std::string& logical : {meetingFilePath(y, c), raceFilePath(y, c)}) {
      const auto p = ds.resolve(logical);
      if (ds.fs().exists(p) && !ds.fs().remove(p)) left += "\n" + logical;
    }
    const auto folder = ds.resolve(courseFolderPath(c));
    removeLeftoversOf(ds.fs(), folder, y);
    ds.fs().syncDirectory(folder);
  }
  if (!left.empty()) {
    showError(port, "年次 " + y + "年のﾌｧｲﾙを削除出来ませんでした。\n" + left);
    return DeleteYearResult::FilesLeft;
  }
  showInfo(port, "年次削除終了", "年次 " + y + "年を削除しました。");
  return DeleteYearResult::Deleted;
}

bool changeYear(DataStore& ds, UserPort& port, int newYear) {
  std::string newText = std::to_string(newYear);
  if (newText == ds.year) return false;
  char buf[128];
  std::snprintf(buf, sizeof buf, "年次を変更します。\n\n%s年 → %d年", ds.year.c_str(), newYear);
  if (port.message("確認", buf, MsgIcon::Information, MsgButtons::OkCancel) != Answer::Ok) return false;
  ds.year = newText;
  int keep = ds.course;
  ds.countMeetings();
  ds.course = keep;
  ds.readMeeting(0);
  ds.readRaceBlock(0);
  return true;
}

YearList yearComboList(const DataStore& ds, const char* format) {
  YearList list;
  int current = ds.yearNumber();
  for (int i = 0; i < NenjiTable::kUsable && ds.nenji.nen[i] != 0; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, ds.nenji.nen[i]);
    list.entries.push_back(buf);
    list.years.push_back(ds.nenji.nen[i]);
    if (ds.nenji.nen[i] == current) list.selected = i;
  }
  return list;
}

}  // namespace tovra
