#include "mainwindow/race_delete.hpp"

#include <cstring>

#include "entry/race_entry.hpp"
#include "ledger/datastore.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

bool deleteRaceData(DataStore& ds, UserPort& port, int r) {
  if (r < 0 || r >= kRacesPerDay) return false;
  ds.readRaceBlock(ds.shown());
  KaisaiRecord& k = ds.kaisai;
  const std::string question = sjprintfUtf8("%2d月%2d日 %d回 %d日目  %s競馬場  %dRのﾚｰｽﾃﾞｰﾀを削除します。", k.month(),
                                            k.day(), k.kai(), k.nichi(), sj(keibajo(ds.course).name).c_str(), r + 1);
  if (!askOkCancel(port, question, MsgIcon::Question)) return false;
  ds.races[r] = RaceRecord{};
  k.raceJoutai[r] = 0;
  k.kounyuGaku[r] = 0;
  k.shushi[r] = 0;
  std::memset(k.raceMei[r], 0, sizeof k.raceMei[r]);
  commitRace(ds, r);  // the settlement recounts the day's totals without the race
  return true;
}

}  // namespace tovra
