#include "features/main/race_view.hpp"

#include <algorithm>
#include <cstdlib>

#include "domain/bet_types.hpp"
#include "domain/money_text.hpp"
#include "domain/race_items.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/entry/race_entry.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"

namespace tovra {

namespace {

// A stored text of the record (CP932) as it is shown.
template <std::size_t N>
std::string cp932Field(const char (&buf)[N]) {
  return fixedText(buf);
}

// A result panel line; red when the result was won.
ResultPanelView resultPanel(BetType t, int code, long payout) {
  if (code == 0) return {};
  return {slotLine(t, plainCode(t, code), payout, kRaceResultColumns), resultHit(t, code)};
}

// Ticket lists end at the first zero number or at the list's capacity.
std::vector<std::string> ticketLines(const RaceRecord& race, BetType t) {
  const ConstSlots s = ticketSlots(race, t);
  std::vector<std::string> out;
  for (int i = 0; i < usedSlots(s); ++i) out.push_back(slotLine(t, s.codes[i], s.amounts[i], kRaceTicketColumns));
  return out;
}

void fillTickets(RaceView& v, const RaceRecord& race) {
  // The lists KouBox1..KouBox5 are in record order.
  for (int box = 0; box < kBetTypeCount; ++box) v.tickets[box] = ticketLines(race, kRecordOrder[box]);
}

void fillTotals(RaceView& v, const KaisaiRecord& k, int r) {
  const long purchase = k.kounyuGaku[r];
  if (purchase == 0) return;  // no purchase: the four panels stay blank, results or not
  const long balance = k.shushi[r];
  const long ret = purchase + balance;
  v.gou = yenText(purchase);
  v.ritsu = rateText(*recoveryRate(purchase, ret));
  v.kaikin = yenText(ret);
  v.shu = yenText(balance);
  v.plus = balance >= 1;
}

void fillResults(RaceView& v, const RaceRecord& race) {
  for (int p = 0; p < 5; ++p) {
    if (race.chakuUma[p] == 0) continue;
    v.finishers.push_back(
        finisherLine(p + 1, race.chakuUma[p], cp932Field(race.chakuBamei[p]), cp932Field(race.chakuText[p])));
  }
  for (int k = 0; k < 4; ++k) v.fuku[k] = resultPanel(BetType::Fuku, race.fukuKeka[k], race.fukuHaitou[k]);
  v.wideKiriEnabled = race.wideKeka[3] != 0;
  for (int k = 0; k < 2; ++k) {
    v.tan[k] = resultPanel(BetType::Tan, race.tanKeka[k], race.tanHaitou[k]);
    v.waku[k] = resultPanel(BetType::Waku, race.wakuKeka[k], race.wakuHaitou[k]);
    v.uma[k] = resultPanel(BetType::Uma, race.umaKeka[k], race.umaHaitou[k]);
  }
}

void fillEntries(RaceView& v, const RaceRecord& race) {
  for (int n = 1; n <= 18; ++n) {
    const int j = n - 1;
    if (race.shutsubaWaku[j] == 0) continue;
    const std::string name = cp932Field(race.shutsubaBamei[j]), jockey = cp932Field(race.shutsubaKishu[j]);
    v.entries.push_back(entryLine(race.shutsubaWaku[j], n, name, jockey, race.shutsubaKinryo[j]));
    v.entryFields.push_back(entryFields(race.shutsubaWaku[j], n, name, jockey, race.shutsubaKinryo[j]));
  }
  v.entryColumns = entryColumns(v.entryFields);
}

}  // namespace

bool useOldAgeLabels(int year, const SettingsRecord& settings) { return year <= 2000 && settings.oldAgeLabels(); }

std::string finisherLine(int place, int horse, const std::string& nameCp932, const std::string& textCp932) {
  const std::string head = sjprintf(" %d着  %2d  %s", place, horse, nameCp932.c_str());
  return cp932ToUtf8(fitCp932(head, 32) + sjprintf("%11s", textCp932.c_str()));
}

std::string entryLine(int waku, int horse, const std::string& nameCp932, const std::string& jockeyCp932, int kinryo) {
  if (kinryo > 99)
    return sjprintfUtf8(" %2d %2d  %-18s%-18s%4.1f", waku, horse, nameCp932.c_str(), jockeyCp932.c_str(),
                        kinryo / 10.0);
  return sjprintfUtf8(" %2d %2d  %-18s%-18s%d", waku, horse, nameCp932.c_str(), jockeyCp932.c_str(), kinryo);
}

EntryFields entryFields(int waku, int horse, const std::string& nameCp932, const std::string& jockeyCp932, int kinryo) {
  return {sjprintfUtf8(" %2d", waku), sjprintfUtf8(" %2d", horse), cp932ToUtf8(nameCp932), cp932ToUtf8(jockeyCp932),
          kinryo > 99 ? sjprintfUtf8("%4.1f", kinryo / 10.0) : sjprintfUtf8("%d", kinryo)};
}

EntryColumns entryColumns(const std::vector<EntryFields>& entries) {
  EntryColumns cols;
  for (int c = 0; c < kEntryColumnCount; ++c) {
    const EntryColumn& base = kEntryColumns[c];
    EntryColumn& col = cols[std::size_t(c)];
    col = base;
    for (const EntryFields& f : entries) {
      const std::string& text = f[std::size_t(c)];
      col.cells = std::max(col.cells, int(utf8ToCp932(text).value_or(text).size()));
    }
    if (c == 0) continue;
    const EntryColumn& before = kEntryColumns[c - 1];
    const EntryColumn& prev = cols[std::size_t(c - 1)];
    col.cell = prev.cell + prev.cells + (base.cell - before.cell - before.cells);
  }
  return cols;
}

std::array<ResultPanelView, 3> widePage(const RaceRecord& race, int page) {
  std::array<ResultPanelView, 3> out;
  for (int i = 0; i < 3; ++i) {
    const int a = page * 3 + i;
    out[i] = resultPanel(BetType::Wide, race.wideKeka[a], race.wideHaitou[a]);
  }
  return out;
}

std::array<ResultPanelView, 3> widePageForState(const RaceBlock& races, int state) {
  const int page = state % 10 == 1 ? 1 : 0;
  const int race = state / 10;
  if (race < 0 || race >= kRacesPerDay) return {};
  return widePage(races[static_cast<std::size_t>(race)], page);
}

RaceView formatRaceView(const DayKey& key, const MeetingDay& day, const SettingsRecord& settings, int r) {
  RaceView v;
  v.race = r;
  const KaisaiRecord& k = day.meeting;
  const RaceRecord& race = day.races[static_cast<std::size_t>(r)];
  const std::string course = keibajo(key.course).name;
  v.caption = course + "競馬場ﾚｰｽﾃﾞｰﾀ";
  v.holdsData = raceHoldsData(k.raceJoutai[r]);
  v.ticketPage = settings.racePage() <= 2 ? settings.racePage() : 0;
  v.jyoLabel = course + "競馬場";
  v.dayPanel = sjprintfUtf8(" %2d月%2d日 %d回 %d日目", k.month(), k.day(), k.kai(), k.nichi());
  v.raceNamePanel = sjprintfUtf8(" %dR     %s", r + 1, cp932Field(k.raceMei[r]).c_str());
  v.kouPanel = raceItemsLine(race.koumoku, race.kyori, useOldAgeLabels(std::atoi(key.year.c_str()), settings));
  fillResults(v, race);
  v.wideState = r * 10;
  fillTickets(v, race);
  fillTotals(v, k, r);
  v.memo = commentForMemo(race);
  fillEntries(v, race);
  return v;
}

}  // namespace tovra
