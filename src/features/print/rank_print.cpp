// Kind 6: the rank tally's page that its window shows (three races or five days).
#include <algorithm>

#include "domain/bet_types.hpp"
#include "domain/money_text.hpp"
#include "features/print/layouts.hpp"
#include "features/print/print_common.hpp"
#include "features/tally/rank_tally.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

using tally::RankEntry;

template <std::size_t N>
std::string field(const char (&buf)[N]) {
  return fixedText(buf);  // CP932, for the formats
}

std::string rankText(int row) { return sjprintfUtf8("%2d位 ", row + 1); }

std::string dateLine(const RankEntry& e) {
  return sjprintfUtf8("%s年 %2d月%2d日 %s %2d回%2d日目 ", field(e.nen).c_str(), e.tsuki, e.hi,
                      sj(tally::courseName(e.jyo)).c_str(), e.kai, e.nichi);
}

// The finishers stand at x 1650: a race name running into them is cut before.
constexpr int kFinisherX = 1650, kRaceX = 390;
std::string raceNameLine(const RankEntry& e) {
  const std::string head = sjprintf("%dR  ", e.race + 1);
  const std::size_t room = static_cast<std::size_t>((kFinisherX - kRaceX) / kCellWidth - 1) - head.size();
  return sjprintfUtf8("%s%-60s             ", head.c_str(), cutCp932(field(e.raceMei), room).c_str());
}

std::string finisherText(int place, const char (&name)[19]) {
  const std::string n = field(name);
  if (n.empty()) return std::string(32, ' ');
  return sjprintfUtf8("%d着  %s       ", place, n.c_str());
}

// The bet type and winning combination of a hit payout.
std::string payoutLine(const RankEntry& e) {
  switch (e.shiki) {
    case 1: return sjprintfUtf8("単勝   %2d番      ", e.kumi);
    case 2: return sjprintfUtf8("複勝   %2d番      ", e.kumi);
    case 3:
      return sjprintfUtf8("枠連   %d-%d      ", pairFirst(BetType::Waku, e.kumi), pairSecond(BetType::Waku, e.kumi));
    case 4:
      return sjprintfUtf8("馬連  %2d-%2d     ", pairFirst(BetType::Uma, e.kumi), pairSecond(BetType::Uma, e.kumi));
    case 5:
      return sjprintfUtf8("ﾜｲﾄﾞ  %2d-%2d     ", pairFirst(BetType::Wide, e.kumi), pairSecond(BetType::Wide, e.kumi));
    default: return {};
  }
}

void putRaceEntry(Page& p, const tally::RankResult& r, int row, int y) {
  const RankEntry& e = r.rows[row];
  put(p, 200, y, rankText(row));
  if (e.tsuki == 0) return;  // an empty rank prints its number only
  put(p, kRaceX, y, dateLine(e));
  put(p, kRaceX, y + 90, raceNameLine(e));
  switch (tally::rankKindOf(r.code)) {
    case tally::kRankHaitou:
      put(p, kRaceX, y + 180, payoutLine(e));
      put(p, 980, y + 180, "配当");
      put(p, 1200, y + 180, yenText(e.kingaku), kBlue);
      break;
    case tally::kRankRaceRitsu:
      put(p, kRaceX, y + 180, "収支  " + yenText(e.kingaku));
      put(p, 980, y + 180, "回収率");
      put(p, 1200, y + 180, rateText(e.ritsu), kBlue);
      break;
    default:  // ﾚｰｽ別収支
      put(p, kRaceX, y + 180, "回収率" + rateText(e.ritsu));
      put(p, 980, y + 180, "収支");
      put(p, 1200, y + 180, yenText(e.kingaku), kBlue);
      break;
  }
  put(p, kFinisherX, y + 90, finisherText(1, e.bamei1));
  put(p, kFinisherX, y + 180, finisherText(2, e.bamei2));
}

void putDayEntry(Page& p, const tally::RankResult& r, int row, int y) {
  const RankEntry& e = r.rows[row];
  put(p, 210, y, rankText(row));
  if (e.tsuki == 0) return;
  put(p, 400, y, dateLine(e));
  if (tally::rankKindOf(r.code) == tally::kRankDayRitsu) {
    put(p, 950, y + 80, "収支   " + yenText(e.kingaku));
    put(p, 1650, y + 80, "回収率");
    put(p, 1950, y + 80, rateText(e.ritsu), kBlue);
  } else {
    put(p, 950, y + 80, "回収率 " + rateText(e.ritsu));
    put(p, 1650, y + 80, "収支");
    put(p, 1950, y + 80, yenText(e.kingaku), kBlue);
  }
}

}  // namespace

Document rankDocument(const tally::RankResult& r, int page) {
  static const char* const kTitles[5] = {"的中配当", "レース別回収率", "開催日別回収率", "レース別収支",
                                         "開催日別収支"};
  Page p;
  put(p, kTitleX, kTitleY, "競走収支帖 トヴラ");
  if (!tally::rankCodeValid(r.code)) return Document{{std::move(p)}};  // not a rank result
  page = std::clamp(page, 0, tally::rankPageCount(r.code) - 1);
  put(p, kHeadingX, kHeadingY, sjprintfUtf8("%-40s", sj(kTitles[tally::rankKindOf(r.code) - 1]).c_str()));
  put(p, 800, kHeadingY,
      r.code <= 5 ? std::string("全データ  BEST45    ") : sjprintfUtf8("%s年    BEST45    ", field(r.nen).c_str()));
  if (tally::rankPerRace(r.code)) {
    for (int k = 0; k < 3; ++k) putRaceEntry(p, r, 3 * page + k, 630 + 300 * k);
  } else {
    for (int k = 0; k < 5; ++k) putDayEntry(p, r, 5 * page + k, 630 + 180 * k);
  }
  return Document{{std::move(p)}};
}

}  // namespace tovra::print
