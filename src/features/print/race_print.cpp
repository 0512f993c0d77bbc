// Kinds 2 and 3: the race shown in the race window, its data or its runners.
#include <algorithm>
#include <cstdlib>

#include "domain/bet_types.hpp"
#include "domain/money_text.hpp"
#include "domain/race_items.hpp"
#include "domain/settlement.hpp"
#include "features/main/race_view.hpp"
#include "features/print/bets_print.hpp"
#include "features/print/layouts.hpp"
#include "features/print/print_common.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

constexpr int kResultsTop = 1015;
constexpr int kTicketsTop = 1610;  // "購入馬券"; the lists start 100 below
constexpr int kTotalsY = 3310, kTotals2Y = 3410;
constexpr int kLeftCaptionX = 200, kLeftLineX = 600, kRightCaptionX = 1250, kRightLineX = 1650;

template <std::size_t N>
std::string field(const char (&buf)[N]) {
  return cp932ToUtf8(fixedText(buf));
}

std::string raceLine(const KaisaiRecord& k, int r) {
  return sjprintfUtf8("%2dR     %s", r + 1, fixedText(k.raceMei[r]).c_str());
}

// Title, day heading and race line: the first lines of both race prints (and of the
// continuation page).
Page raceHeader(const DayKey& key, const KaisaiRecord& k, int r, const char* title, int raceLineY) {
  Page p;
  put(p, kTitleX, kTitleY, title);
  put(p, kHeadingX, kHeadingY, dayHeading(key, k));
  put(p, 200, raceLineY, raceLine(k, r));
  return p;
}

void putItems(Page& p, const RaceRecord& race, bool oldAges) {
  if (race.koumoku == 0) return;  // no items entered: the line stays empty, as in the window
  struct Slot {
    ItemField field;
    int x;
    std::size_t bytes;
  };
  static constexpr Slot kSlots[] = {{ItemField::Age, 600, 5},     {ItemField::Class, 800, 8},
                                    {ItemField::Kind, 1200, 4},   {ItemField::Sex, 1550, 2},
                                    {ItemField::Weight, 1650, 4}, {ItemField::Track, 1850, 2}};
  for (const Slot& s : kSlots)
    put(p, s.x, 570, fixedField(koumokuLabel(s.field, koumokuDigit(race.koumoku, s.field), oldAges), s.bytes));
  put(p, 1950, 570, sjprintfUtf8("%dM", race.kyori));
  put(p, 2100, 570,
      fixedField(koumokuLabel(ItemField::Going, koumokuDigit(race.koumoku, ItemField::Going), oldAges), 4));
}

void putFinishers(Page& p, const RaceRecord& race) {
  for (int i = 0; i < 5; ++i) {
    const int y = 675 + 60 * i;
    put(p, 250, y, sjprintfUtf8("%d着", i + 1));
    if (race.chakuUma[i] != 0)
      put(p, 500, y, std::to_string(race.chakuUma[i]));
    else
      put(p, 400, y, "   ");
    put(p, 700, y, field(race.chakuBamei[i]));
    put(p, 1300, y, field(race.chakuText[i]));
  }
}

// One result list: a line per entry that is not 0, 60 apart from y, red when hit.
// Returns the y below its last line.
template <typename Text>
int putResults(Page& p, int x, int y, const RaceRecord& race, BetType t, Text text) {
  const ConstSlots results = resultSlots(race, t);
  for (int i = 0; i < results.capacity; ++i) {
    if (results.codes[i] == 0) continue;
    const bool hit = resultHit(t, results.codes[i]);
    put(p, x, y, text(plainCode(t, results.codes[i]), static_cast<long>(results.amounts[i])), hit ? kRed : kBlack);
    y += kLinePitch;
  }
  return y;
}

// The printed lists' amounts are eight places wide.
constexpr int kPrintYenWidth = 8;
std::string singleText(int horse, long yen) { return sjprintfUtf8("%2d番  ", horse) + yenText(yen, kPrintYenWidth); }
std::string bracketResultText(int pair, long yen) {
  return sjprintfUtf8("%2d-%d  ", pairFirst(BetType::Waku, pair), pairSecond(BetType::Waku, pair)) +
         yenText(yen, kPrintYenWidth);
}
std::string bracketTicketText(int pair, long yen) {
  return sjprintfUtf8("%d-%d   ", pairFirst(BetType::Waku, pair), pairSecond(BetType::Waku, pair)) +
         yenText(yen, kPrintYenWidth);
}
std::string horsePairText(int pair, long yen) {
  return sjprintfUtf8("%2d-%2d ", pairFirst(BetType::Uma, pair), pairSecond(BetType::Uma, pair)) +
         yenText(yen, kPrintYenWidth);
}

// The bottom of the results: the lowest line of the right column (複勝, then ﾜｲﾄﾞ).
int putResultSection(Page& p, const RaceRecord& race) {
  put(p, 200, kResultsTop, "レース結果");
  put(p, 200, 1115, "単勝");
  put(p, 1250, 1115, "複勝");
  put(p, 200, 1245, "枠連");
  put(p, 200, 1365, "馬連");
  put(p, 1250, 1365, "ﾜｲﾄﾞ");
  putResults(p, 600, 1115, race, BetType::Tan, singleText);
  putResults(p, 1650, 1115, race, BetType::Fuku, singleText);
  putResults(p, 600, 1240, race, BetType::Waku, bracketResultText);
  putResults(p, 600, 1365, race, BetType::Uma, horsePairText);
  return putResults(p, 1650, 1365, race, BetType::Wide, horsePairText);
}

// One ticket list with its total line; it ends at the first empty ticket.
template <std::size_t N, typename Text>
void putTickets(FlowColumn& col, int y, const char* caption, const std::uint16_t (&codes)[N],
                const std::int32_t (&stakes)[N], std::int32_t total, Text text) {
  col.startList(y, caption);
  std::size_t n = 0;
  for (; n < N && codes[n] != 0; ++n) col.line(text(codes[n], static_cast<long>(stakes[n])));
  if (n == 0) col.line("");  // an empty list keeps the place of one line before its total
  col.line("合計  " + yenText(total, kPrintYenWidth));
}

void putTotals(Page& p, const KaisaiRecord& k, int r) {
  const long purchase = k.kounyuGaku[r], balance = k.shushi[r];
  put(p, 200, kTotalsY, "購入合計");
  put(p, 500, kTotalsY, yenText(purchase, kPrintYenWidth));
  put(p, 900, kTotalsY, "収  支");
  put(p, 1200, kTotalsY, yenText(balance, kPrintYenWidth), plusColour(balance));
  put(p, 200, kTotals2Y, "回収金額");
  put(p, 500, kTotals2Y, yenText(purchase + balance, kPrintYenWidth));
  put(p, 900, kTotals2Y, "回収率");
  // A race without purchase has no rate: the figure stays empty rather than dividing by 0.
  if (auto rate = recoveryRate(purchase, purchase + balance)) put(p, 1200, kTotals2Y, rateText(*rate, kPrintYenWidth));
}

}  // namespace

Document raceDocument(const DayKey& key, const MeetingDay& day, const SettingsRecord& settings, int r,
                      const RaceBets* bets) {
  const RaceRecord& race = day.races[r];
  Document doc;
  doc.pages.push_back(raceHeader(key, day.meeting, r, "競走収支帖 トヴラ  レースデータ", 465));
  Page& p = doc.pages.front();
  putItems(p, race, useOldAgeLabels(std::atoi(key.year.c_str()), settings));
  putFinishers(p, race);
  // Six wide results reach below the first ticket lines: the tickets move down a line.
  const int resultsBottom = putResultSection(p, race);
  const int shift = resultsBottom > kTicketsTop + 100 ? kLinePitch : 0;
  putTotals(p, day.meeting, r);

  put(p, 200, kTicketsTop + shift, "購入馬券");
  // Continuation pages repeat the title, the day and the race line.
  const FlowArea area{kTotalsY - 20, 630, 570};
  FlowColumn left(doc, area, kLeftCaptionX, kLeftLineX), right(doc, area, kRightCaptionX, kRightLineX);
  putTickets(left, 1710 + shift, "単勝", race.tanUma, race.tanGaku, race.tanGoukei, singleText);
  putTickets(right, 1710 + shift, "複勝", race.fukuUma, race.fukuGaku, race.fukuGoukei, singleText);
  putTickets(left, 2150 + shift, "枠連", race.wakuKumi, race.wakuGaku, race.wakuGoukei, bracketTicketText);
  putTickets(right, 2150 + shift, "馬連", race.umaKumi, race.umaGaku, race.umaGoukei, horsePairText);
  // ﾜｲﾄﾞ stands below 枠連, a blank line lower when 枠連 runs past its place.
  putTickets(left, std::max(2850 + shift, left.y() + kLinePitch), "ﾜｲﾄﾞ", race.wideKumi, race.wideGaku, race.wideGoukei,
             horsePairText);
  if (bets) addRaceBets(doc, *bets);
  return doc;
}

Document runnersDocument(const DayKey& key, const MeetingDay& day, int r) {
  const RaceRecord& race = day.races[r];
  Page p = raceHeader(key, day.meeting, r, "競走収支帖 トヴラ  出走馬", 495);
  for (int j = 0; j < 18; ++j) {
    if (race.shutsubaWaku[j] == 0) continue;
    const int y = 720 + 60 * j;
    put(p, 250, y, std::to_string(race.shutsubaWaku[j]));
    put(p, 450, y, std::to_string(j + 1));
    put(p, 700, y, field(race.shutsubaBamei[j]));
    put(p, 1500, y, field(race.shutsubaKishu[j]));
    // The weight as the race window shows it (550 is 55.0 kg, 55 is 55 kg).
    put(p, 2100, y, kinryoText(race.shutsubaKinryo[j]));
  }
  return Document{{std::move(p)}};
}

}  // namespace tovra::print
