#include "features/tally/rank_tally.hpp"

#include <cstring>

#include "domain/bet_types.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "storage/bytes.hpp"
#include "storage/datastore.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

void RankEntry::encode(std::uint8_t* out) const {
  std::memset(out, 0, kSize);
  bytes::putI32(out, rank_off::tsuki, tsuki);
  bytes::putI32(out, rank_off::hi, hi);
  bytes::putI32(out, rank_off::kai, kai);
  bytes::putI32(out, rank_off::nichi, nichi);
  bytes::putI32(out, rank_off::shiki, shiki);
  bytes::putI32(out, rank_off::jyo, jyo);
  bytes::putI32(out, rank_off::race, race);
  bytes::putI32(out, rank_off::kumi, kumi);
  bytes::putI32(out, rank_off::kingaku, kingaku);
  std::uint32_t bits;
  std::memcpy(&bits, &ritsu, 4);
  bytes::putU32(out, rank_off::ritsu, bits);
  bytes::putRaw(out, rank_off::nen, nen, sizeof nen);
  bytes::putRaw(out, rank_off::bamei1, bamei1, sizeof bamei1);
  bytes::putRaw(out, rank_off::bamei2, bamei2, sizeof bamei2);
  bytes::putRaw(out, rank_off::raceMei, raceMei, sizeof raceMei);
}

void RankEntry::decode(const std::uint8_t* in) {
  tsuki = bytes::getI32(in, rank_off::tsuki);
  hi = bytes::getI32(in, rank_off::hi);
  kai = bytes::getI32(in, rank_off::kai);
  nichi = bytes::getI32(in, rank_off::nichi);
  shiki = bytes::getI32(in, rank_off::shiki);
  jyo = bytes::getI32(in, rank_off::jyo);
  race = bytes::getI32(in, rank_off::race);
  kumi = bytes::getI32(in, rank_off::kumi);
  kingaku = bytes::getI32(in, rank_off::kingaku);
  std::uint32_t bits = bytes::getU32(in, rank_off::ritsu);
  std::memcpy(&ritsu, &bits, 4);
  bytes::getRaw(in, rank_off::nen, nen, sizeof nen);
  bytes::getRaw(in, rank_off::bamei1, bamei1, sizeof bamei1);
  bytes::getRaw(in, rank_off::bamei2, bamei2, sizeof bamei2);
  bytes::getRaw(in, rank_off::raceMei, raceMei, sizeof raceMei);
}

std::vector<std::uint8_t> RankResult::encode() const {
  std::vector<std::uint8_t> out(kFileSize, 0);
  for (int i = 0; i < kRows; ++i) rows[i].encode(out.data() + rank_file_off::rows + i * RankEntry::kSize);
  bytes::putI32(out.data(), rank_file_off::code, code);
  bytes::putRaw(out.data(), rank_file_off::nen, nen, sizeof nen);
  bytes::putRaw(out.data(), rank_file_off::timeStamp, timeStamp, kStampSize);
  return out;
}

RankResult RankResult::decode(const std::uint8_t* in) {
  RankResult r;
  for (int i = 0; i < kRows; ++i) r.rows[i].decode(in + rank_file_off::rows + i * RankEntry::kSize);
  r.code = bytes::getI32(in, rank_file_off::code);
  bytes::getRaw(in, rank_file_off::nen, r.nen, sizeof r.nen);
  bytes::getRaw(in, rank_file_off::timeStamp, r.timeStamp, kStampSize);
  r.timeStamp[kStampSize - 1] = '\0';  // a damaged file must not run a reader off the buffer
  return r;
}

namespace {

constexpr int kLast = RankResult::kRanked - 1;   // row 44, the 45th rank
constexpr int kScratch = RankResult::kRows - 1;  // row 45

// The table of 46 rows with its insertion rule: a candidate replaces the 45th row only
// when strictly better, then the exchange sort puts it in place. Equal keys are never
// exchanged, so among equals the earlier entry stays ahead.
class RankTable {
 public:
  RankTable(RankResult& r, bool byRate) : r_(r), byRate_(byRate) {}
  const RankEntry& last() const { return r_.rows[kLast]; }
  void enter(const RankEntry& e) {
    r_.rows[kLast] = e;
    sort();
  }

 private:
  RankResult& r_;
  bool byRate_;
  bool less(const RankEntry& a, const RankEntry& b) const {
    return byRate_ ? a.ritsu < b.ritsu : a.kingaku < b.kingaku;
  }
  void sort() {
    RankEntry* row = r_.rows;
    for (int i = 0; i < kLast; ++i)
      for (int j = i + 1; j <= kLast; ++j)
        if (less(row[i], row[j])) {
          row[kScratch] = row[i];
          row[i] = row[j];
          row[j] = row[kScratch];
        }
  }
};

RankEntry dayEntry(const ScanDay& d) {
  RankEntry e;
  e.tsuki = d.kaisai.month();
  e.hi = d.kaisai.day();
  e.kai = d.kaisai.kai();
  e.nichi = d.kaisai.nichi();
  e.jyo = d.course;
  setFixedText(e.nen, cutCp932(d.yearText, sizeof e.nen - 1));
  return e;
}

RankEntry raceEntry(const ScanDay& d, int r) {
  RankEntry e = dayEntry(d);
  e.race = r;
  const RaceRecord& race = (*d.races)[r];
  // A horse name may be longer than the 18 bytes a row holds: cut at a character boundary.
  setFixedText(e.bamei1, cutCp932(fixedText(race.chakuBamei[0]), sizeof e.bamei1 - 1));
  setFixedText(e.bamei2, cutCp932(fixedText(race.chakuBamei[1]), sizeof e.bamei2 - 1));
  setFixedText(e.raceMei, cutCp932(fixedText(d.kaisai.raceMei[r]), sizeof e.raceMei - 1));
  return e;
}

// A race's (or a day's) purchase and balance as the filter counts them.
struct Money {
  std::int32_t purchase = 0, balance = 0;
};

void visitDay(RankTable& t, int kind, const ScanDay& d, const TallyFilter& filter) {
  const KaisaiRecord& k = d.kaisai;
  if (!filter.counts(d.course)) return;
  const bool whole = filter.allOld();
  auto counted = [&](int r) {
    return oldRaceCount(k, r, d.races ? &(*d.races)[static_cast<std::size_t>(r)] : nullptr, filter);
  };
  if (kind == kRankDayRitsu || kind == kRankDayShushi) {
    Money m{k.kounyuGaku[12], k.shushi[12]};
    if (!whole) {
      std::int64_t p = 0, b = 0;
      for (int r = 0; r < kRacesPerDay; ++r) {
        const OldRaceCount n = counted(r);
        p += n.purchase;
        b += n.balance;
      }
      m = {saturate32(p), saturate32(b)};
    }
    if (kind == kRankDayRitsu && m.purchase == 0) return;
    float rate = floatRate(static_cast<std::int64_t>(m.balance) + m.purchase, m.purchase);
    bool qualifies = kind == kRankDayRitsu ? rate > t.last().ritsu : m.balance > t.last().kingaku;
    if (!qualifies) return;
    RankEntry e = dayEntry(d);
    e.kingaku = m.balance;
    e.ritsu = rate;
    t.enter(e);
    return;
  }
  for (int r = 0; r < kRacesPerDay; ++r) {
    Money m{k.kounyuGaku[r], k.shushi[r]};
    if (whole) {
      if (!raceBoughtAndHit(k.raceJoutai[r])) continue;
    } else {
      const OldRaceCount n = counted(r);
      if (!n.bought || !n.hit) continue;
      m = {saturate32(n.purchase), saturate32(n.balance)};
    }
    if (kind == kRankHaitou) {
      // The won payouts in the order they are offered to the table.
      for (BetType type : kRankPayoutOrder) {
        if (!filter.has(tallySlotOf(type))) continue;
        const ConstSlots results = resultSlots((*d.races)[r], type);
        for (int s = 0; s < results.capacity; ++s) {
          if (!resultHit(type, results.codes[s]) || !(results.amounts[s] > t.last().kingaku)) continue;
          RankEntry e = raceEntry(d, r);
          e.shiki = betTypeInfo(type).recordCode;
          e.kumi = plainCode(type, results.codes[s]);
          e.kingaku = results.amounts[s];
          t.enter(e);
        }
      }
      continue;
    }
    // A race without purchase has no rate (only a damaged ledger marks one as hit).
    if (kind == kRankRaceRitsu && m.purchase == 0) continue;
    float rate = floatRate(static_cast<std::int64_t>(m.balance) + m.purchase, m.purchase);
    bool qualifies = kind == kRankRaceRitsu ? rate > t.last().ritsu : m.balance > t.last().kingaku;
    if (!qualifies) continue;
    RankEntry e = raceEntry(d, r);
    e.kingaku = m.balance;
    e.ritsu = rate;
    t.enter(e);
  }
}

}  // namespace

RankResult computeRank(DataStore& ds, UserPort& port, int code, int yearIndex, const Clock& clock,
                       const TallyFilter& filter) {
  RankResult result;
  result.code = code;
  std::string yearText;
  const auto range = yearRange(ds.nenji, code > 5, yearIndex);
  if (rankCodeValid(code) && range) {
    int kind = rankKindOf(code);
    RankTable table(result, rankByRate(code));
    yearText = scanLedger(ds, port, rangeYears(ds.nenji, *range),
                          {"RANK集計中 !!!\n\nしばらくお待ち下さい。", rankPerRace(code) || !filter.allOld()},
                          [&](const ScanDay& d) { visitDay(table, kind, d, filter); });
  }
  setFixedText(result.nen, cutCp932(yearText, sizeof result.nen - 1));
  putTimeStamp(result.timeStamp, clock());
  return result;
}

bool runRankTally(DataStore& ds, UserPort& port, int code, int yearIndex, const Clock& clock,
                  const TallyFilter& filter) {
  return writeWorkFile(ds, port, kRankWorkFile, computeRank(ds, port, code, yearIndex, clock, filter).encode());
}

std::optional<RankResult> readRankFile(DataStore& ds) {
  auto data = readWorkFile(ds, kRankWorkFile, RankResult::kFileSize);
  if (!data) return std::nullopt;
  return RankResult::decode(data->data());
}

// ---------------------------------------------------------------- display

namespace {

// Kind titles as the window shows them (each 15 bytes in Shift-JIS).
const char* const kKindTitles[5] = {" 的中配当      ", " レース別回収率", " 開催日別回収率", " レース別収支  ",
                                    " 開催日別収支  "};
const char* const kShikiNames[5] = {"単勝", "複勝", "枠連", "馬連", "ﾜｲﾄﾞ"};

// Text fields of a row read from a file: stop at the buffer end even without a NUL.
template <std::size_t N>
std::string field(const char (&buf)[N]) {
  return fixedText(buf);
}

std::string tsukiText(const RankEntry& e, int rank) {
  std::string course = sj(courseName(e.jyo));
  return sjprintfUtf8("%2d位  %s年  %2d月  %2d日  %s  %3d回%3d日目 ", rank, field(e.nen).c_str(), e.tsuki, e.hi,
                      course.c_str(), e.kai, e.nichi);
}
std::string emptyTsuki(int rank) { return sjprintfUtf8("%2d位       -------", rank); }

}  // namespace

std::string rankKindTitle(int code) {
  if (!rankCodeValid(code)) return {};
  const std::string title = kKindTitles[rankKindOf(code) - 1];
  const auto first = title.find_first_not_of(' ');
  return title.substr(first, title.find_last_not_of(' ') - first + 1);
}

std::string rankShikiName(int shiki) { return shiki >= 1 && shiki <= 5 ? kShikiNames[shiki - 1] : ""; }

std::string rankBanText(const RankEntry& e) {
  switch (e.shiki) {
    case 1:
    case 2: return sjprintfUtf8("%2d番", e.kumi);
    case 3: return sjprintfUtf8("%d-%d", pairFirst(BetType::Waku, e.kumi), pairSecond(BetType::Waku, e.kumi));
    case 4:
    case 5: return sjprintfUtf8("%2d-%2d", pairFirst(BetType::Uma, e.kumi), pairSecond(BetType::Uma, e.kumi));
    default: return kBlankPanel;
  }
}

namespace {

std::string bameiText(const char* place, const std::string& name) {
  if (name.empty()) return std::string(place) + "                    ";
  return sjprintfUtf8("%s   %s         ", sj(place).c_str(), name.c_str());
}

RankRaceRowView raceRow(const RankResult& r, int row) {
  const RankEntry& e = r.rows[row];
  RankRaceRowView v;
  if (e.tsuki == 0) {
    v.tsuki = emptyTsuki(row + 1);
    v.name = v.shiki = v.ban = v.shu = v.bamei1 = v.bamei2 = v.kin = kBlankPanel;
    return v;
  }
  v.tsuki = tsukiText(e, row + 1);
  v.name = sjprintfUtf8("%dR  %-60s             ", e.race + 1, field(e.raceMei).c_str());
  v.bamei1 = bameiText("1着", field(e.bamei1));
  v.bamei2 = bameiText("2着", field(e.bamei2));
  switch (rankKindOf(r.code)) {
    case kRankHaitou:
      v.shiki = e.shiki >= 1 && e.shiki <= 5 ? rankShikiName(e.shiki) : kBlankPanel;
      v.ban = rankBanText(e);
      v.shu = "配当";
      v.kin = yenText(e.kingaku);
      break;
    case kRankRaceRitsu:
      v.shiki = "収支";
      v.ban = yenText(e.kingaku);
      v.shu = "回収率";
      v.kin = rateText(e.ritsu);
      break;
    default:  // ﾚｰｽ別収支
      v.shiki = "回収率";
      v.ban = rateText(e.ritsu);
      v.shu = "収支";
      v.kin = yenText(e.kingaku);
      break;
  }
  return v;
}

RankDayRowView dayRow(const RankResult& r, int row) {
  const RankEntry& e = r.rows[row];
  RankDayRowView v;
  if (e.tsuki == 0) {
    v.tsuki = emptyTsuki(row + 1);
    v.shiki = v.ban = v.gou = v.ran = kBlankPanel;
    return v;
  }
  v.tsuki = tsukiText(e, row + 1);
  if (rankKindOf(r.code) == kRankDayRitsu) {
    v.shiki = "収支";
    v.ban = yenText(e.kingaku);
    v.gou = "回収率";
    v.ran = rateText(e.ritsu);
  } else {
    v.shiki = "回収率";
    v.ban = rateText(e.ritsu);
    v.gou = "収支";
    v.ran = yenText(e.kingaku);
  }
  return v;
}

}  // namespace

RankView rankView(const RankResult& r, int page) {
  RankView v;
  v.timeStamp = cp932ToUtf8(fixedText(r.timeStamp));
  if (!rankCodeValid(r.code)) return v;  // not a rank result: nothing to show
  v.perRace = rankPerRace(r.code);
  v.maxPage = rankPageCount(r.code) - 1;
  if (page < 0) page = 0;
  if (page > v.maxPage) page = v.maxPage;
  std::string range =
      r.code <= 5 ? std::string("  全データ   BEST45") : sjprintfUtf8("  %s年   BEST45", field(r.nen).c_str());
  v.mainPanel = kKindTitles[rankKindOf(r.code) - 1] + range;
  if (v.perRace) {
    for (int i = 0; i < 3; ++i) v.raceRows.push_back(raceRow(r, 3 * page + i));
  } else {
    for (int i = 0; i < 5; ++i) v.dayRows.push_back(dayRow(r, 5 * page + i));
  }
  return v;
}

std::vector<std::string> rankLines(const RankView& v) {
  std::vector<std::string> lines{v.mainPanel, v.timeStamp};
  for (const RankRaceRowView& row : v.raceRows) {
    lines.push_back(row.tsuki);
    if (row.name == kBlankPanel) continue;  // an empty rank shows only its number
    lines.push_back("    " + row.name);
    lines.push_back("    " + row.shiki + "  " + row.ban + "  " + row.shu + "  " + row.kin);
    lines.push_back("    " + row.bamei1);
    lines.push_back("    " + row.bamei2);
  }
  for (const RankDayRowView& row : v.dayRows)
    lines.push_back(row.tsuki + "  " + row.shiki + "  " + row.ban + "  " + row.gou + "  " + row.ran);
  // Trailing blanks only pad the window's labels.
  for (std::string& l : lines) l.erase(l.find_last_not_of(' ') + 1);
  return lines;
}

}  // namespace tovra::tally
