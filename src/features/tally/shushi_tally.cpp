#include "features/tally/shushi_tally.hpp"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/tally/tally_figures.hpp"
#include "storage/bytes.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

bool shushiModeValid(int mode) { return (mode >= 0 && mode <= 3) || mode == kShushiDay; }

ShushiChoice shushiChoice(int range, bool byKai, int yearPosition, int month, int day) {
  switch (range) {
    case 1: return {byKai ? kShushiYearByKai : kShushiYearByMonth, yearPosition};
    case 2: return {kShushiDay, month * 100 + day};
    default: return {byKai ? kShushiAllByKai : kShushiAllByMonth, 0};
  }
}

std::pair<int, int> shushiFirstDay(const KaisaiRecord* shown) {
  if (!shown) return {1, 1};
  const int tsukiHi = shown->tsukiHi;
  const int month = tsukiHi / 100, day = tsukiHi % 100;
  if (month < 1 || month > 12 || day < 1 || day > 31) return {1, 1};
  return {month, day};
}

std::vector<std::uint8_t> ShushiResult::encode() const {
  std::vector<std::uint8_t> out(kFileSize, 0);
  std::uint8_t* p = out.data();
  for (int i = 0; i < kCells; ++i) {
    std::uint32_t k, t;
    std::memcpy(&k, &kaishu[i], 4);
    std::memcpy(&t, &tekichu[i], 4);
    bytes::putI32(p, shushi_off::kounyu + 4 * i, kounyu[i]);
    bytes::putI32(p, shushi_off::shushi + 4 * i, shushi[i]);
    bytes::putU32(p, shushi_off::kaishu + 4 * i, k);
    bytes::putU32(p, shushi_off::tekichu + 4 * i, t);
  }
  bytes::putI32(p, shushi_off::selection, selection);
  bytes::putI32(p, shushi_off::mode, mode);
  bytes::putRaw(p, shushi_off::timeStamp, timeStamp, kStampSize);
  return out;
}

ShushiResult ShushiResult::decode(const std::uint8_t* in) {
  ShushiResult r;
  for (int i = 0; i < kCells; ++i) {
    r.kounyu[i] = bytes::getI32(in, shushi_off::kounyu + 4 * i);
    r.shushi[i] = bytes::getI32(in, shushi_off::shushi + 4 * i);
    std::uint32_t k = bytes::getU32(in, shushi_off::kaishu + 4 * i);
    std::uint32_t t = bytes::getU32(in, shushi_off::tekichu + 4 * i);
    std::memcpy(&r.kaishu[i], &k, 4);
    std::memcpy(&r.tekichu[i], &t, 4);
  }
  r.selection = bytes::getI32(in, shushi_off::selection);
  r.mode = bytes::getI32(in, shushi_off::mode);
  bytes::getRaw(in, shushi_off::timeStamp, r.timeStamp, kStampSize);
  r.timeStamp[kStampSize - 1] = '\0';  // a damaged file must not run a reader off the buffer
  return r;
}

namespace {

using R = ShushiResult;

// The row a meeting day counts in, or -1 when it counts in none. A date or meeting number
// outside 1-12 (a damaged record) counts nowhere instead of writing outside the table.
int rowOf(const KaisaiRecord& k, int mode, int selection) {
  int row = -1;
  switch (mode) {
    case kShushiAllByMonth:
    case kShushiYearByMonth: row = k.tsukiHi / 100 - 1; break;
    case kShushiAllByKai:
    case kShushiYearByKai: row = k.kaiNichi / 100 - 1; break;
    case kShushiDay: return k.tsukiHi == selection ? 0 : -1;
    default: return -1;
  }
  return row >= 0 && row < 12 ? row : -1;
}

}  // namespace

ShushiDay shushiDay(const KaisaiRecord& k) {
  ShushiDay d;
  d.purchase = k.kounyuGaku[12];
  d.balance = k.shushi[12];
  for (int race = 0; race < kRacesPerDay; ++race) {
    if (raceBought(k.raceJoutai[race])) ++d.bought;
    if (raceHit(k.raceJoutai[race])) ++d.hits;
  }
  return d;
}

ShushiCounter::ShushiCounter(int mode, int selection, const TallyFilter& filter)
    : mode_(mode), selection_(selection), filter_(filter) {}

void ShushiCounter::addDay(int c, const KaisaiRecord& k, const RaceBlock* races) {
  const int row = rowOf(k, mode_, selection_);
  if (row < 0 || c < 0 || c >= kCourseCount || !filter_.counts(c)) return;
  const int i = R::cell(row, c);
  ShushiDay d;
  if (filter_.allOld()) {
    d = shushiDay(k);
  } else {
    for (int r = 0; r < kRacesPerDay; ++r) {
      const OldRaceCount n = oldRaceCount(k, r, races ? &(*races)[static_cast<std::size_t>(r)] : nullptr, filter_);
      d.purchase += n.purchase;
      d.balance += n.balance;
      if (n.bought) ++d.bought;
      if (n.hit) ++d.hits;
    }
  }
  kounyu_[i] += d.purchase;
  shushi_[i] += d.balance;
  bought_[i] += d.bought;
  hits_[i] += d.hits;
}

ShushiResult ShushiCounter::finish() const {
  // Money is summed in 64 bits and stored saturated, as everywhere.
  std::int64_t kounyu[R::kCells], shushi[R::kCells], bought[R::kCells], hits[R::kCells];
  std::copy(std::begin(kounyu_), std::end(kounyu_), kounyu);
  std::copy(std::begin(shushi_), std::end(shushi_), shushi);
  std::copy(std::begin(bought_), std::end(bought_), bought);
  std::copy(std::begin(hits_), std::end(hits_), hits);
  auto addCell = [&](int to, int from) {
    kounyu[to] += kounyu[from];
    shushi[to] += shushi[from];
    bought[to] += bought[from];
    hits[to] += hits[from];
  };
  R r;
  r.mode = mode_;
  r.selection = (mode_ == kShushiAllByMonth || mode_ == kShushiAllByKai) ? 0 : selection_;
  auto store = [&](int i) {
    r.kounyu[i] = saturate32(kounyu[i]);
    r.shushi[i] = saturate32(shushi[i]);
    if (r.kounyu[i] == 0) return;  // no rate without purchase
    std::int64_t ret = static_cast<std::int64_t>(r.kounyu[i]) + r.shushi[i];
    r.kaishu[i] = unsignedRate(static_cast<std::uint32_t>(ret), static_cast<std::uint32_t>(r.kounyu[i]));
    // A purchase without any bought race (only in a damaged ledger) gives a hit rate of 0, not 0/0.
    r.tekichu[i] = unsignedRate(static_cast<std::uint32_t>(hits[i]), static_cast<std::uint32_t>(bought[i]));
  };
  for (int row = 0; row < 12; ++row) {
    for (int col = 0; col < kCourseCount; ++col) addCell(R::cell(row, R::kSumCol), R::cell(row, col));
    for (int col = 0; col < R::kCols; ++col) store(R::cell(row, col));
  }
  for (int col = 0; col < R::kCols; ++col) {
    for (int row = 0; row < 12; ++row) addCell(R::cell(R::kSumRow, col), R::cell(row, col));
    store(R::cell(R::kSumRow, col));
  }
  return r;
}

std::optional<TallyRange> shushiRange(const NenjiTable& nenji, int currentYear, int mode, int selection) {
  if (!shushiModeValid(mode)) return std::nullopt;
  if (mode == kShushiDay) return TallyRange::oneYear(currentYear);
  return yearRange(nenji, mode == kShushiYearByMonth || mode == kShushiYearByKai, selection);
}

ShushiResult computeShushi(DataStore& ds, UserPort& port, int mode, int selection, int currentYear,
                           const Clock& clock, const TallyFilter& filter) {
  ShushiCounter counter(mode, selection, filter);
  if (auto range = shushiRange(ds.nenji, currentYear, mode, selection)) {
    // With every record type only the meeting records are read: the day totals and the
    // race states hold every figure. Some types alone are counted from the tickets.
    scanLedger(ds, port, rangeYears(ds.nenji, *range), {"収支集計中 !!!\n\nしばらくお待ち下さい。", !filter.allOld()},
               [&](const ScanDay& d) { counter.addDay(d.course, d.kaisai, d.races); });
  }
  R r = counter.finish();
  putTimeStamp(r.timeStamp, clock());
  return r;
}

bool runShushiTally(DataStore& ds, UserPort& port, int mode, int selection, int currentYear, const Clock& clock) {
  ds.fs().remove(ds.resolve(kShushiTypeWorkFile));  // the type figures of an earlier run do not belong to it
  return writeWorkFile(ds, port, kShushiWorkFile,
                       computeShushi(ds, port, mode, selection, currentYear, clock).encode());
}

Result<TypeTallyResult> shushiTypeTally(DataStore& ds, BetStore& bets, int mode, int selection, int currentYear,
                                        const TallyFilter& filter) {
  std::vector<std::string> years;
  if (auto range = shushiRange(ds.nenji, currentYear, mode, selection))
    for (int y : rangeYears(ds.nenji, *range)) years.push_back(std::to_string(y));
  return typeTally(ds.ledger(), bets, years, filter, mode == kShushiDay ? selection : 0);
}

bool runShushiTally(DataStore& ds, BetStore& bets, UserPort& port, int mode, int selection, int currentYear,
                    const TallyFilter& filter, const Clock& clock) {
  const R r = computeShushi(ds, port, mode, selection, currentYear, clock, filter);
  ds.fs().remove(ds.resolve(kShushiTypeWorkFile));  // never one of another run beside the new result
  if (!writeWorkFile(ds, port, kShushiWorkFile, r.encode())) return false;
  Result<TypeTallyResult> types = shushiTypeTally(ds, bets, mode, selection, currentYear, filter);
  if (types.failed()) ds.fatal(types.failure());
  if (types.refused()) {
    port.message("確認", types.refusal().text, types.refusal().icon);
    return true;
  }
  std::memcpy(types->timeStamp, r.timeStamp, kStampSize);
  writeResultFile(ds, port, kShushiTypeWorkFile, *types);
  return true;
}

std::optional<ShushiResult> readShushiFile(DataStore& ds) {
  auto data = readWorkFile(ds, kShushiWorkFile, R::kFileSize);
  if (!data) return std::nullopt;
  return R::decode(data->data());
}

namespace {

CellView cellView(const R& r, int row, int col) { return figuresCell(shushiFigures(r, row, col), kTallyHitWidth); }

std::string heading(const R& r, int a, const NenjiTable& nenji, const std::string& currentYear) {
  int year = yearAt(nenji, r.selection);
  switch (r.mode) {
    case kShushiAllByMonth:
      return a == 0 ? std::string("  収支集計   全ﾃﾞｰﾀ     全月") : sjprintfUtf8("  収支集計   全ﾃﾞｰﾀ     %2d月", a);
    case kShushiAllByKai:
      return a == 0 ? std::string("  収支集計   全ﾃﾞｰﾀ    全回次") : sjprintfUtf8("  収支集計   全ﾃﾞｰﾀ     %2d回", a);
    case kShushiYearByMonth:
      return a == 0 ? sjprintfUtf8("  収支集計   %d年     全月", year)
                    : sjprintfUtf8("  収支集計   %d年     %2d月", year, a);
    case kShushiYearByKai:
      return a == 0 ? sjprintfUtf8("  収支集計   %d年    全回次", year)
                    : sjprintfUtf8("  収支集計   %d年     %2d回", year, a);
    case kShushiDay:
      return sjprintfUtf8("  収支集計       %s年 %d月 %d日", sj(currentYear).c_str(), r.selection / 100,
                          r.selection % 100);
    default: return {};
  }
}

}  // namespace

ShushiView shushiView(const ShushiResult& r, int position, const NenjiTable& nenji, const std::string& currentYear) {
  ShushiView v;
  // A one-day tally has no rows to scroll through: it always shows position 0.
  v.scrollEnabled = r.mode != kShushiDay;
  int a = v.scrollEnabled && position >= 0 && position <= 12 ? position : 0;
  v.heading = heading(r, a, nenji, currentYear);
  v.timeStamp = cp932ToUtf8(fixedText(r.timeStamp));
  int row = a == 0 ? R::kSumRow : a - 1;
  for (int col = 0; col < kCourseCount; ++col) v.courses[col] = cellView(r, row, col);
  v.goukeiVisible = a != 0;
  v.goukei = cellView(r, row, R::kSumCol);
  v.zenjou = cellView(r, R::kSumRow, R::kSumCol);
  return v;
}

void setTypeBlock(ShushiView& v, const TypeTallyResult& t) {
  const TypeCell& c = t.cells[kAllCoursesRow][kChosenCol];
  v.typesShown = true;
  v.typesCaption = (t.filter.types & kAllTallyTypes) == kAllTallyTypes ? "全式別" : "選択式別";
  v.typesFilter = t.filter.text();
  v.types = typeCellView(c);
  v.typesBought = yenText(c.bought);
  v.typesRefunded = yenText(c.refunded);
  const TypeCell& w = t.cells[kAllCoursesRow][kTallyWin5Slot];
  v.win5Shown = t.filter.has(kTallyWin5Slot) && w.bought > 0;
  if (!v.win5Shown) return;
  v.win5 = typeCellView(w);
  v.win5Bought = yenText(w.bought);
  v.win5Refunded = yenText(w.refunded);
}

std::vector<std::string> shushiLines(const ShushiView& v) {
  std::vector<std::string> lines{v.heading, v.timeStamp,
                                 "競馬場\t馬券購入額      回収率        回収金額\t収支\t的中率"};
  auto row = [&](const std::string& name, const CellView& c) {
    lines.push_back(name + "\t" + c.kou + "\t" + c.shu + "\t" + c.teki);
  };
  for (int col = 0; col < kCourseCount; ++col) row(courseName(col), v.courses[col]);
  if (v.goukeiVisible) row("合計", v.goukei);
  row("全場合計", v.zenjou);
  if (v.typesShown) {
    row(v.typesCaption, v.types);
    lines.push_back("購入\t" + v.typesBought + "\t返還\t" + v.typesRefunded + "\t" + v.typesFilter);
  }
  if (v.win5Shown) {
    row(tallyTypeName(kTallyWin5Slot), v.win5);
    lines.push_back("購入\t" + v.win5Bought + "\t返還\t" + v.win5Refunded);
  }
  return lines;
}

}  // namespace tovra::tally
