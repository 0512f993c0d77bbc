#include "features/print/bets_print.hpp"

#include "domain/money_text.hpp"
#include "features/bets/race_bets.hpp"
#include "features/main/race_bets_view.hpp"
#include "features/print/print_common.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

// Race print: below the title, the day and the race line; meeting print: below the title
// and the day.
constexpr int kRaceHeaderBottom = 570, kRaceTop = 630;
constexpr int kDayHeaderBottom = 400, kDayTop = 495;
// Where a 全式別 row puts its second label, and each label's figure.
constexpr int kSecondLabel = 1000, kFigure = 300;

Rgb rowColour(const BetsRowView& row) {
  if (row.hit) return kRed;
  return row.refunded ? kGreen : kBlack;
}

void rows(FlowRows& flow, int x, const std::vector<BetsRowView>& list) {
  for (const BetsRowView& row : list) flow.row({Cell{x, row.text, rowColour(row)}});
}

// The 全式別 block: 購入 返還 / 購入合計 回収率 / 回収金額 収支, as the race window pairs them.
void figureRows(FlowRows& flow, int captionLevel, int captionX, int x, const std::string& caption,
                const BetFigures& f) {
  flow.caption(captionLevel, captionX, caption, 3);
  const auto twoFigures = [&](const char* a, const std::string& av, const char* b, const std::string& bv, Rgb bc) {
    flow.row({Cell{x, a}, Cell{x + kFigure, av}, Cell{x + kSecondLabel, b}, Cell{x + kSecondLabel + kFigure, bv, bc}});
  };
  const auto rate = f.rate();
  twoFigures("購入", yenText(f.bought), "返還", yenText(f.refunded), kBlack);
  twoFigures("購入合計", yenText(f.purchase()), "回収率", rate ? rateText(*rate) : std::string(), kBlack);
  twoFigures("回収金額", yenText(f.ret), "収  支", yenText(f.balance()), plusColour(f.balance()));
}

// A race's sections: its lines, its results and scratches, its 全式別 figures.
void raceSections(FlowRows& flow, const RaceBets& bets, int level, int captionX, int rowX) {
  const RaceBetsView v = formatRaceBetsView(bets, kBetsRowWidth);
  if (!v.lines.empty()) {
    flow.caption(level, captionX, "馬単・3連複・3連単");
    rows(flow, rowX, v.lines);
  }
  if (!v.results.empty()) {
    flow.caption(level, captionX, "馬単・3連複・3連単  結果・返還");
    rows(flow, rowX, v.results);
  }
  figureRows(flow, level, captionX, rowX, "全式別", bets.figures.all);
}

}  // namespace

std::optional<RaceBets> printedRaceBets(BetStore& store, const DayKey& key, const MeetingDay& day, int r) {
  // A store that cannot be opened or read leaves the print as the record has it.
  if (!store.open(false)) return std::nullopt;
  const Result<StoredRace> read = store.race(raceKeyOf(key, day.meeting, r));
  if (!read || read->empty()) return std::nullopt;
  return raceBets(day.races[static_cast<std::size_t>(r)], *read);
}

std::optional<DayBets> printedDayBets(BetStore& store, const DayKey& key, const MeetingDay& day) {
  if (!store.open(false)) return std::nullopt;
  const auto read = store.day(dateKeyOf(key, day.meeting));
  if (!read) return std::nullopt;
  bool any = false;
  for (const StoredRace& s : *read) any = any || !s.empty();
  if (!any) return std::nullopt;
  return dayBets(day, *read);
}

void addRaceBets(Document& doc, const RaceBets& bets) {
  if (bets.stored.empty()) return;
  FlowRows flow(doc, kRaceHeaderBottom, kRaceTop);
  raceSections(flow, bets, 0, 200, 250);
}

void addDayBets(Document& doc, const KaisaiRecord& meeting, const DayBets& bets) {
  bool any = false;
  for (const RaceBets& race : bets.races) any = any || !race.stored.empty();
  if (!any) return;
  FlowRows flow(doc, kDayHeaderBottom, kDayTop);
  for (int r = 0; r < kRacesPerDay; ++r) {
    const RaceBets& race = bets.races[static_cast<std::size_t>(r)];
    if (race.stored.empty()) continue;
    // The race line, with the caption and first row of its first section.
    flow.caption(0, 200, sjprintfUtf8("%2dR     %s", r + 1, fixedText(meeting.raceMei[r]).c_str()), 2);
    raceSections(flow, race, 1, 250, 300);
  }
  figureRows(flow, 0, 200, 250, "開催日合計  全式別", bets.figures.all);
}

}  // namespace tovra::print
