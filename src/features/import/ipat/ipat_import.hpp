#pragma once
// The import of a purchase-history CSV (投票履歴): every line goes into the race of its
// date and course. The five types of the course files go into the race's ticket slots
// as the purchase rules allow; 馬単, 3連複 and 3連単 become lines of the bet store. A line
// that does not fit (slots full, a horse the card does not list, money out of range) is
// refused with a message naming it and the others go on: the user gets what the file
// holds that the ledger can take, and the list of what it could not.
//
// Every line taken leaves its "受付番号-通番" in the store, so that a line is never taken
// twice. Hits and refunds the file gives are compared with the results the ledger holds;
// differences are reported, the ledger's results are never changed. Each course's day is
// written with its store rows in one step (storeImportWithBets). WIN5 lines go to the WIN5
// of their date, which must have its legs; each date's lines with their receipts in one
// transaction.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "features/entry/meeting_series.hpp"
#include "features/import/ipat/ipat_csv.hpp"
#include "storage/bet_store_keys.hpp"
#include "storage/ledger_events.hpp"
#include "storage/outcome.hpp"

namespace tovra {

class BetStore;
class FileSystem;
class Ledger;
class UserPort;

// The file read and checked; refused with a message naming the file (and the line).
Result<IpatFile> loadIpatFile(FileSystem& fs, const std::filesystem::path& file);

enum class IpatLineState { Taken, Duplicate, Refused };

// What becomes of a line of the file (parallel to IpatFile::lines).
struct IpatLineReport {
  IpatLineState state = IpatLineState::Taken;
  std::string reason;  // why it was refused (UTF-8)
};

// A meeting day the file names.
struct IpatDay {
  DateKey date;
  bool registered = false;                  // the ledger holds the meeting
  std::optional<MeetingDate> registration;  // to be registered with this 回 and 日目
};

struct IpatPreview {
  std::vector<IpatLineReport> lines;
  std::vector<IpatLineReport> win5;      // parallel to IpatFile::win5
  std::vector<IpatDay> days;
  std::vector<std::string> notices;      // days not registered, registrations, WIN5 days without legs
  std::vector<std::string> differences;  // hits and refunds the ledger gives otherwise
  int taken = 0;
  std::int64_t takenCost = 0;  // yen
};

// What the import would do; writes nothing. With `registerDays`, days whose meeting is
// not registered are taken as if registered with the 回 and 日目 chosen.
Result<IpatPreview> previewIpatImport(const Ledger& ledger, BetStore& store, const IpatFile& file,
                                      bool registerDays);

// The import: registers the missing days first (with `registerDays`), then writes every
// course's day. What was written is given as the preview of it.
Result<IpatPreview> runIpatImport(const Ledger& ledger, BetStore& store, UserPort& wait, const LedgerEvents& events,
                                  const IpatFile& file, bool registerDays);

// The 回 and 日目 a new meeting on `date` takes beside the course's meetings of the year
// (sorted by date): the day after the nearest meeting within 13 days before it, the day
// before the nearest within 13 days after it, otherwise the 回 after the last one before
// it, 日目 1 (回 1 when there is none).
MeetingDate chooseMeetingDate(const std::vector<KaisaiRecord>& meetings, int year, int month, int day);

// A WIN5 line's horses per leg: "1,3/2/5,7/1/4".
std::string ipatWin5NumbersText(const IpatWin5& w);
// A WIN5 line of the preview: "  5行目 WIN5 1,3/2/5,7/1/4  4点  400円".
std::string ipatWin5Text(const IpatWin5& w);

// One line of the preview (UTF-8): "  3行目 新潟11R ﾜｲﾄﾞ 通常 08―16  1点  500円".
std::string ipatLineText(const IpatLine& l);

namespace msg {
inline constexpr const char* kIpatDuplicate = "取込済み";
inline constexpr const char* kIpatNotRegistered = "開催が登録されていません。";
inline constexpr const char* kIpatYearMissing = "年次が登録されていません。";
inline constexpr const char* kIpatSlotsFull = "の購入馬券の空きがありません。";
}  // namespace msg

}  // namespace tovra
