#include "features/export/race_export.hpp"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "domain/race_items.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/range_figures.hpp"
#include "features/main/race_view.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"

namespace tovra::exports {

namespace {

// The races of the range in calendar order; with `stored`, every row's all-types figures
// and the races only the store holds rows of.
std::vector<RaceRow> collectRaces(DataStore& ds, UserPort& port, const tally::TallyRange& range,
                                  const SettingsRecord& settings, StoredRaces* stored) {
  std::vector<RaceRow> rows;
  std::vector<std::tuple<int, int, int, std::size_t, int>> keys;  // year, date, course, meeting, race
  const NewBetSettlement none;
  tally::scanLedger(ds, port, tally::rangeYears(ds.nenji, range),
                    {"ﾚｰｽﾃﾞｰﾀ書き出し中 !!!\n\nしばらくお待ち下さい。", true}, [&](const tally::ScanDay& d) {
                      const KaisaiRecord& k = d.kaisai;
                      const bool oldAges = useOldAgeLabels(d.year, settings);
                      const DateKey date{d.year, d.course, k.tsukiHi / 100, k.tsukiHi % 100};
                      for (int r = 0; r < kRacesPerDay; ++r) {
                        const StoredRace* s = stored ? stored->take(date, r) : nullptr;
                        const bool inStore = s && !s->empty();
                        if (!raceHoldsData(k.raceJoutai[r]) && !inStore) continue;  // the race holds nothing
                        const RaceRecord& race = (*d.races)[static_cast<std::size_t>(r)];
                        RaceRow row;
                        row.year = d.year;
                        row.month = k.tsukiHi / 100;
                        row.day = k.tsukiHi % 100;
                        row.course = d.course;
                        row.kai = k.kaiNichi / 100;
                        row.nichi = k.kaiNichi % 100;
                        row.race = r + 1;
                        row.name = cp932ToUtf8(fixedText(k.raceMei[r]));
                        row.items = closedUp(raceItemsLine(race.koumoku, race.kyori, oldAges));
                        row.purchase = k.kounyuGaku[r];
                        row.balance = k.shushi[r];
                        row.ret = row.purchase + row.balance;
                        row.bought = raceBought(k.raceJoutai[r]);
                        row.hit = raceHit(k.raceJoutai[r]);
                        if (stored) {
                          if (s) {
                            const SettledRace settled = settleStoredRace(*s);
                            row.all = allTypesFigures(race, settled.stored.scratched, settled.stored.refundedFrames,
                                                      settled.settlement);
                          } else {
                            row.all = allTypesFigures(race, {}, {}, none);
                          }
                        }
                        keys.emplace_back(d.year, k.tsukiHi, d.course, d.index, r);
                        rows.push_back(std::move(row));
                      }
                    });
  // The scan goes through the years newest first and course by course; the table follows
  // the calendar.
  std::vector<std::size_t> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<RaceRow> sorted;
  sorted.reserve(rows.size());
  for (std::size_t i : order) sorted.push_back(std::move(rows[i]));
  return sorted;
}

std::vector<CsvCell> raceCells(const RaceRow& r) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d/%02d/%02d", r.year, r.month, r.day);
  return {CsvCell::text(date),        CsvCell::text(tally::courseName(r.course)),
          CsvCell::integer(r.kai),    CsvCell::integer(r.nichi),
          CsvCell::integer(r.race),   CsvCell::text(r.name),
          CsvCell::text(r.items),     CsvCell::integer(r.purchase),
          CsvCell::integer(r.ret),    CsvCell::integer(r.balance),
          CsvCell::text(r.hit ? "○" : "")};
}

const std::vector<std::string> kRaceColumns = {"日付", "競馬場", "回", "日目", "R", "ﾚｰｽ名", "ﾚｰｽ項目",
                                               "馬券購入額", "回収金額", "収支", "的中"};

}  // namespace

std::vector<RaceRow> exportRaces(DataStore& ds, UserPort& port, const tally::TallyRange& range,
                                 const SettingsRecord& settings) {
  return collectRaces(ds, port, range, settings, nullptr);
}

Result<std::vector<RaceRow>> exportRacesAllTypes(DataStore& ds, UserPort& port, BetStore& store,
                                                 const tally::TallyRange& range, const SettingsRecord& settings) {
  std::vector<std::string> years;
  for (int y : tally::rangeYears(ds.nenji, range)) years.push_back(std::to_string(y));
  Result<StoredRaces> stored = StoredRaces::read(store, years);
  if (stored.refused()) return stored.refusal();
  return collectRaces(ds, port, range, settings, &*stored);
}

CsvTable racesCsv(const std::vector<RaceRow>& rows) {
  CsvTable t(kRaceColumns);
  for (const RaceRow& r : rows) t.add(raceCells(r));
  return t;
}

CsvTable racesCsvAllTypes(const std::vector<RaceRow>& rows) {
  std::vector<std::string> header = kRaceColumns;
  for (NewBetType type : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan})
    for (const char* what : {"購入額", "返還額", "回収金額"}) {
      std::string name = newBetTypeName(type);
      name += what;
      header.push_back(name);
    }
  for (const char* what : {"全式別購入額", "全式別返還額", "全式別回収金額", "全式別収支", "全式別的中"})
    header.push_back(what);
  CsvTable t(header);
  for (const RaceRow& r : rows) {
    std::vector<CsvCell> cells = raceCells(r);
    if (r.all) {
      for (NewBetType type : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
        const BetFigures& f = r.all->of(type);
        cells.push_back(CsvCell::integer(f.bought));
        cells.push_back(CsvCell::integer(f.refunded));
        cells.push_back(CsvCell::integer(f.ret));
      }
      const BetFigures& a = r.all->all;
      cells.push_back(CsvCell::integer(a.bought));
      cells.push_back(CsvCell::integer(a.refunded));
      cells.push_back(CsvCell::integer(a.ret));
      cells.push_back(CsvCell::integer(a.balance()));
      cells.push_back(CsvCell::text(a.hit ? "○" : ""));
    } else {
      while (cells.size() < header.size()) cells.push_back(CsvCell::empty());
    }
    t.add(std::move(cells));
  }
  return t;
}

}  // namespace tovra::exports
