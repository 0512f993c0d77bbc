#include "features/main/meeting_view.hpp"

#include <cstdlib>

#include "domain/money_text.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "features/bets/win5_bets.hpp"
#include "features/main/main_selection.hpp"
#include "storage/text.hpp"

namespace tovra {

MeetingView formatMeetingView(const MainSelection& sel) {
  return formatMeetingView(sel.course, sel.count(), sel.shown(), sel.day.meeting);
}

MeetingView formatMeetingView(int course, int count, int shown, const KaisaiRecord& k) {
  MeetingView v;
  const std::string name = keibajo(course).name;
  v.statusText = name + "競馬場開催ﾃﾞｰﾀ";
  v.jyoLabel = name + "競馬場";
  v.hasMeeting = k.tsukiHi != 0;
  if (count > 0 && v.hasMeeting) {
    v.scrollMax = count - 1;
    v.kaisaiPanel = sjprintfUtf8(" %2d月%2d日 %d回 %d日目  ", k.month(), k.day(), k.kai(), k.nichi());
  } else {
    v.scrollMax = 0;
    v.kaisaiPanel = " ------------------";
  }
  long returns = 0;
  for (int r = 0; r < 12; ++r) {
    MeetingRowView& row = v.rows[r];
    const int joutai = k.raceJoutai[r];
    if (raceHoldsData(joutai)) {
      row.raceName = cp932ToUtf8(fixedText(k.raceMei[r]));
      const long purchase = k.kounyuGaku[r];
      const long balance = k.shushi[r];
      if (purchase != 0) {
        const long ret = purchase + balance;
        row.kou = yenText(purchase) + rateText(*recoveryRate(purchase, ret)) + yenText(ret);
        row.shu = yenText(balance, 0) + " ";
        row.plus = balance >= 1;
        returns += ret;
      } else {
        row.kou = kZeroYen;
        row.shu = kBlank;
      }
    } else {
      row.raceName = kBlank;
      row.kou = kBlank;
      row.shu = kBlank;
    }
    row.hit = raceHit(joutai);
  }
  if (k.kounyuGaku[12] != 0) {
    const long dayPurchase = k.kounyuGaku[12];
    const long dayBalance = k.shushi[12];
    v.kou13 = yenText(dayPurchase) + rateText(*recoveryRate(dayPurchase, dayPurchase + dayBalance)) + yenText(returns);
    v.shu13 = yenText(dayBalance) + " ";
    v.plus13 = dayBalance >= 1;
  } else {
    v.kou13 = kBlank;
    v.shu13 = kBlank;
  }
  v.scrollPos = shown;
  return v;
}

namespace {

// A rate of all types can pass 999999.9％ (a 3連単 paid millions on a few hundred yen):
// then it is shown without its decimal, so that it keeps its nine places.
std::string allTypesRateText(double rate) {
  if (rate < 999999.95) return rateText(rate);
  return sjprintfUtf8("%9.0f", rate) + "％";
}

}  // namespace

MeetingView formatMeetingViewAllTypes(int course, int count, int shown, const KaisaiRecord& k, const DayBets& bets,
                                      const std::optional<BetFigures>& win5) {
  MeetingView v = formatMeetingView(course, count, shown, k);
  if (!v.hasMeeting) return v;
  bool anyRows = false;
  // The totals row adds up what the rows show.
  std::int64_t dayPurchase = 0, dayReturn = 0;
  for (int r = 0; r < kRacesPerDay; ++r) {
    const RaceBets& race = bets.races[static_cast<std::size_t>(r)];
    const bool held = raceHoldsData(k.raceJoutai[r]);
    // A race without store rows has neither new-type lines nor refunds: its figures are
    // the record's own, as that view shows them.
    if (race.stored.empty()) {
      if (held && k.kounyuGaku[r] != 0) {
        dayPurchase += k.kounyuGaku[r];
        dayReturn += std::int64_t{k.kounyuGaku[r]} + k.shushi[r];
      }
      continue;
    }
    anyRows = true;
    MeetingRowView& row = v.rows[r];
    if (!held) row.raceName = cp932ToUtf8(fixedText(k.raceMei[r]));
    const BetFigures& f = race.figures.all;
    if (const auto rate = f.rate()) {
      row.kou = yenText(f.purchase()) + allTypesRateText(*rate) + yenText(f.ret);
      row.shu = yenText(f.balance(), 0) + " ";
      row.plus = f.balance() >= 1;
      dayPurchase += f.purchase();
      dayReturn += f.ret;
    } else {
      row.kou = kZeroYen;
      row.shu = kBlank;
      row.plus = false;
    }
    row.hit = f.hit;
  }
  if (win5) {
    // The day's WIN5: a line of its own, added to the day's totals like a race row.
    v.win5Shown = true;
    v.win5.raceName = "WIN5";
    v.win5.hit = win5->hit;
    if (const auto rate = win5->rate()) {
      v.win5.kou = yenText(win5->purchase()) + allTypesRateText(*rate) + yenText(win5->ret);
      v.win5.shu = yenText(win5->balance(), 0) + " ";
      v.win5.plus = win5->balance() >= 1;
      dayPurchase += win5->purchase();
      dayReturn += win5->ret;
      anyRows = true;
    } else {
      v.win5.kou = kZeroYen;
      v.win5.shu = kBlank;
    }
  }
  if (!anyRows) return v;
  if (const auto rate = recoveryRate(dayPurchase, dayReturn)) {
    const std::int64_t balance = dayReturn - dayPurchase;
    v.kou13 = yenText(dayPurchase) + allTypesRateText(*rate) + yenText(dayReturn);
    v.shu13 = yenText(balance) + " ";
    v.plus13 = balance >= 1;
  } else {
    v.kou13 = kBlank;
    v.shu13 = kBlank;
    v.plus13 = false;
  }
  return v;
}

Result<MeetingView> formatMeetingViewAllTypes(const MainSelection& sel, const std::string& year, BetStore& store) {
  const KaisaiRecord& k = sel.day.meeting;
  std::array<StoredRace, kRacesPerDay> stored{};
  std::optional<BetFigures> win5;
  if (k.tsukiHi != 0) {
    if (const Status opened = store.open(false); !opened) return opened.refusal();
    auto day = store.day(dateKeyOf(sel.key(year), k));
    if (!day) return day.refusal();
    stored = std::move(*day);
    auto w5 = Win5Store(store).day({std::atoi(year.c_str()), k.month(), k.day()});
    if (w5.failed()) return w5.failure();
    if (w5.refused()) return w5.refusal();
    if (*w5) win5 = settleWin5Day(**w5).settlement.figures;
  }
  return formatMeetingViewAllTypes(sel.course, sel.count(), sel.shown(), k, dayBets(sel.day, stored), win5);
}

}  // namespace tovra
