#include "features/entry/race_delete.hpp"

#include <cstring>

#include "features/entry/race_entry.hpp"
#include "storage/text.hpp"

namespace tovra {

std::string deleteRaceDataQuestion(const KaisaiRecord& k, int course, int race) {
  return sjprintfUtf8("%2d月%2d日 %d回 %d日目  %s競馬場  %dRのﾚｰｽﾃﾞｰﾀを削除します。", k.month(), k.day(), k.kai(),
                      k.nichi(), sj(keibajo(course).name).c_str(), race + 1);
}

Result<MeetingDay> deleteRaceData(const Ledger& ledger, const DayKey& key, MeetingDay day, int race) {
  KaisaiRecord& k = day.meeting;
  day.races[static_cast<std::size_t>(race)] = RaceRecord{};
  k.raceJoutai[race] = 0;
  k.kounyuGaku[race] = 0;
  k.shushi[race] = 0;
  std::memset(k.raceMei[race], 0, sizeof k.raceMei[race]);
  return commitRace(ledger, key, std::move(day), race);  // the settlement recounts the day's totals without the race
}

}  // namespace tovra
