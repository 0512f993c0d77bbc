#include "features/export/race_export.hpp"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "domain/race_items.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/main/race_view.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"

namespace tovra::exports {

std::vector<RaceRow> exportRaces(DataStore& ds, UserPort& port, const tally::TallyRange& range,
                                 const SettingsRecord& settings) {
  std::vector<RaceRow> rows;
  std::vector<std::tuple<int, int, int, std::size_t, int>> keys;  // year, date, course, meeting, race
  tally::scanLedger(ds, port, tally::rangeYears(ds.nenji, range),
                    {"ﾚｰｽﾃﾞｰﾀ書き出し中 !!!\n\nしばらくお待ち下さい。", true}, [&](const tally::ScanDay& d) {
                      const KaisaiRecord& k = d.kaisai;
                      const bool oldAges = useOldAgeLabels(d.year, settings);
                      for (int r = 0; r < kRacesPerDay; ++r) {
                        if (!raceHoldsData(k.raceJoutai[r])) continue;  // the race holds nothing
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

CsvTable racesCsv(const std::vector<RaceRow>& rows) {
  CsvTable t({"日付", "競馬場", "回", "日目", "R", "ﾚｰｽ名", "ﾚｰｽ項目", "馬券購入額", "回収金額", "収支", "的中"});
  for (const RaceRow& r : rows) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d", r.year, r.month, r.day);
    t.add({CsvCell::text(date), CsvCell::text(tally::courseName(r.course)), CsvCell::integer(r.kai),
           CsvCell::integer(r.nichi), CsvCell::integer(r.race), CsvCell::text(r.name), CsvCell::text(r.items),
           CsvCell::integer(r.purchase), CsvCell::integer(r.ret), CsvCell::integer(r.balance),
           CsvCell::text(r.hit ? "○" : "")});
  }
  return t;
}

}  // namespace tovra::exports
