#include "features/tally/tally_common.hpp"

#include <cstring>
#include <ctime>

#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::tally {

std::vector<int> rangeYears(const NenjiTable& nenji, const TallyRange& range) {
  if (!range.allYears) return {range.year};
  std::vector<int> years;
  for (int i = 0; i < NenjiTable::kUsable && nenji.nen[i] != 0; ++i) years.push_back(nenji.nen[i]);
  return years;
}

int yearPosition(const NenjiTable& nenji, int year) {
  for (int i = 0; i < NenjiTable::kUsable && nenji.nen[i] != 0; ++i)
    if (nenji.nen[i] == year) return i;
  return -1;
}

int yearAt(const NenjiTable& nenji, int position) {
  if (position < 0 || position >= NenjiTable::kUsable) return 0;
  return nenji.nen[position];
}

std::optional<TallyRange> yearRange(const NenjiTable& nenji, bool oneYear, int position) {
  if (!oneYear) return TallyRange::all();
  const int year = yearAt(nenji, position);
  if (year == 0) return std::nullopt;
  return TallyRange::oneYear(year);
}

namespace {
// Ends the popup and the busy pointer however the scan ends.
class WaitShown {
 public:
  WaitShown(UserPort& port, const std::string& text) : port_(port) {
    port_.setBusy(true);
    port_.waitBegin(text, true);
  }
  ~WaitShown() {
    port_.waitEnd();
    port_.setBusy(false);
  }
  WaitShown(const WaitShown&) = delete;
  WaitShown& operator=(const WaitShown&) = delete;

 private:
  UserPort& port_;
};
}  // namespace

std::string scanLedger(DataStore& ds, UserPort& port, const std::vector<int>& years, const ScanOptions& options,
                       const std::function<void(const ScanDay&)>& visit) {
  // After a fatal file error no ledger file is read again.
  if (ds.dead()) ds.fatal(0, "");
  std::vector<std::string> texts;
  texts.reserve(years.size());
  for (int year : years) texts.push_back(std::to_string(year));
  std::optional<FileFailure> failed;
  {
    WaitShown wait(port, options.waitText);
    Ledger::ScanOptions scan;
    scan.withRaces = options.readRaces;
    std::size_t at = 0;  // the year being scanned, as a number and as its text
    scan.onCourse = [&](const std::string& year, int course) {
      while (texts[at] != year) ++at;
      port.waitStep(course + 1);
    };
    const Status s = ds.ledger().scan(texts, scan, [&](const Ledger::ScanDay& d) {
      visit(ScanDay{years[at], texts[at], d.key.course, static_cast<std::size_t>(d.key.index), d.meeting, d.races});
    });
    if (!s) failed = s.failure();
  }
  if (failed) ds.fatal(failed->code, failed->path);
  return texts.empty() ? std::string() : texts.back();
}

StampTime localNow() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min};
}

std::string timeStampCp932(const StampTime& t) {
  return sjprintf("集計日時    %d年%2d月%2d日%2d時%2d分", t.year, t.month, t.day, t.hour, t.minute);
}

void putTimeStamp(char (&stamp)[kStampSize], const StampTime& t) {
  std::memset(stamp, 0, kStampSize);
  setFixedText(stamp, cutCp932(timeStampCp932(t), kStampSize - 1));
}

float unsignedRate(std::uint32_t a, std::uint32_t b) {
  if (b == 0) return 0.0f;
  return static_cast<float>(static_cast<double>(a) / static_cast<double>(b) * 100.0);
}

float floatRate(std::int64_t ret, std::int32_t purchase) {
  if (purchase == 0) return 0.0f;
  return static_cast<float>(ret) / static_cast<float>(purchase) * 100.0f;
}

CellView moneyCell(std::int64_t purchase, double rate, std::int64_t balance, const std::string& teki) {
  return {moneyRateLine(purchase, rate, purchase + balance), yenText(balance), teki, balance >= 1};
}

CellView emptyCell() { return {kZeroYen, kBlankPanel, kBlankPanel, false}; }

std::string courseName(int course) {
  if (course < 0 || course >= kCourseCount) return {};
  return keibajo(course).name;
}

bool writeWorkFile(DataStore& ds, UserPort& port, const std::string& logical, const std::vector<std::uint8_t>& bytes) {
  auto tmp = ds.resolve(kTmpFolder);
  if (!ds.fs().isDirectory(tmp)) ds.fs().createDirectory(tmp);
  if (writeWholeFile(ds.fs(), ds.resolve(logical), bytes.data(), bytes.size())) return true;
  showError(port, "集計結果を作業ﾌｧｲﾙに書き込めませんでした。\n\n" + logical);
  return false;
}

std::optional<std::vector<std::uint8_t>> readWorkFile(DataStore& ds, const std::string& logical, std::size_t n) {
  std::vector<std::uint8_t> data;
  if (!readFileHead(ds.fs(), ds.resolve(logical), n, data) || data.size() < n) return std::nullopt;
  return data;
}

}  // namespace tovra::tally
