#include "ledger/years.hpp"

#include <cstdio>
#include <utility>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
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
  return text.size() == 4 && text.find_first_not_of("0123456789") == std::string::npos && text[0] != '0';
}

void registerFirstYear(DataStore& ds, int year) {
  ds.nenji.nen[0] = static_cast<std::uint16_t>(year);
  ds.year = std::to_string(year);
  ds.saveYears();
  createYearFiles(ds, ds.year);
}

void createYearFiles(DataStore& ds, const std::string& year) {
  std::vector<std::uint8_t> blockBuf(kRaceBlockSize, 0);
  std::uint8_t meetBuf[KaisaiRecord::kSize] = {};
  for (int c = 0; c < kCourseCount; ++c) {
    std::string mp = meetingFilePath(year, c);
    auto mf = ds.fs().open(ds.resolve(mp), OpenMode::Create);
    if (!mf || !mf->write(meetBuf, sizeof meetBuf)) ds.fatal(4, mp);
    std::string rp = raceFilePath(year, c);
    auto rf = ds.fs().open(ds.resolve(rp), OpenMode::Create);
    if (!rf || !rf->write(blockBuf.data(), blockBuf.size())) ds.fatal(6, rp);
  }
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
    showError(port, "西暦4桁で入力して下さい。");
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
  ds.year = text;
  ds.nenji.nen[slot] = static_cast<std::uint16_t>(year);
  createYearFiles(ds, ds.year);
  ds.countMeetings();
  sortYears(ds);
  ds.saveYears();
  runHooks(hooks);
  showInfo(port, "年次登録終了", "年次 " + text + "年を登録しました。");
  return true;
}

bool deleteYear(DataStore& ds, UserPort& port, int selectedYear, const YearWindowHooks& hooks) {
  if (selectedYear == 0) {
    showError(port, "削除する年次を選択して下さい。");
    return false;
  }
  if (selectedYear == ds.yearNumber()) {
    showError(port, "現在処理中の年次は削除出来ません。");
    return false;
  }
  if (!askOkCancel(port,
                   "//////////////////// 注意 ///////////////////////////\n\n"
                   "年次を削除するとそれに対応した全てのﾃﾞｰﾀも削除されます。",
                   MsgIcon::Warning))
    return false;
  std::string y = std::to_string(selectedYear);
  for (int c = 0; c < kCourseCount; ++c) {
    ds.fs().remove(ds.resolve(meetingFilePath(y, c)));
    ds.fs().remove(ds.resolve(raceFilePath(y, c)));
  }
  for (int i = 0; i < NenjiTable::kUsable; ++i)
    if (ds.nenji.nen[i] == selectedYear) ds.nenji.nen[i] = 0;
  sortYears(ds);
  ds.saveYears();
  runHooks(hooks);
  showInfo(port, "年次削除終了", "年次 " + y + "年を削除しました。");
  return true;
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

}  // namespace tovra
