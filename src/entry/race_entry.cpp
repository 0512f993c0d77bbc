#include "entry/race_entry.hpp"

#include <cstring>

#include "entry/entry_messages.hpp"
#include "entry/entry_text.hpp"
#include "entry/settlement.hpp"
#include "ledger/datastore.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

std::string entryDayLabel(const DataStore& ds, int r) {
  const KaisaiRecord& k = ds.kaisai;
  const std::string jyo = sj(keibajo(ds.course).name);
  if (r < 0)
    return sjprintfUtf8("%d月%2d日 %d回  %d日目  %s競馬場", k.month(), k.day(), k.kai(), k.nichi(), jyo.c_str());
  return sjprintfUtf8("%d月%2d日 %d回  %d日目  %s競馬場   %dR", k.month(), k.day(), k.kai(), k.nichi(), jyo.c_str(),
                      r + 1);
}

void commitRace(DataStore& ds, int r) {
  settleRace(ds.kaisai, ds.races, r);
  ds.writeShown();
}

void discardRaceChanges(DataStore& ds) { ds.readShown(); }

// --- race items ---

RaceItemsInput openRaceItems(const DataStore& ds, int r) {
  RaceItemsInput in;
  const RaceRecord& race = ds.races[static_cast<std::size_t>(r)];
  if (race.koumoku == 0) return in;  // every group on its first item, distance and name empty
  in.positions = positionsFromKoumoku(race.koumoku);
  in.kyoriText = std::to_string(race.kyori);
  in.raceName = cp932ToUtf8(fixedText(ds.kaisai.raceMei[r]));
  return in;
}

bool registerRaceItems(DataStore& ds, UserPort& port, int r, const RaceItemsInput& in) {
  const int kyori = kyoriFromText(in.kyoriText);
  if (kyori == 0) {
    showError(port, msg::kKyoriMissing);
    return false;
  }
  if (kyori < 0) {
    showError(port, msg::kKyoriTooLong);
    return false;
  }
  // A name shown from the record and left alone keeps its bytes as they are.
  const RaceRecord& race = ds.races[static_cast<std::size_t>(r)];
  const bool nameKept = race.koumoku != 0 && in.raceName == openRaceItems(ds, r).raceName;
  std::string nameBytes;
  if (nameKept) {
    nameBytes = fixedText(ds.kaisai.raceMei[r]);
  } else {
    TextCheck name = raceNameBytes(in.raceName);
    if (!name.bytes) {
      showError(port, name.refusal);
      return false;
    }
    nameBytes = *name.bytes;
  }
  const std::uint32_t code = koumokuFromPositions(in.positions);
  if (!koumokuValid(code)) {
    showError(port, sjprintfUtf8(msg::kItemsBroken, r + 1));
    discardRaceChanges(ds);
    return false;
  }
  RaceRecord& target = ds.races[static_cast<std::size_t>(r)];
  target.kyori = static_cast<std::uint16_t>(kyori);
  target.koumoku = code;
  if (!nameKept) setFixedText(ds.kaisai.raceMei[r], nameBytes);
  commitRace(ds, r);
  return true;
}

bool deleteRaceItems(DataStore& ds, UserPort& port, int r) {
  if (!askOkCancel(port, msg::kItemsDelete, MsgIcon::Question)) return false;
  RaceRecord& race = ds.races[static_cast<std::size_t>(r)];
  race.koumoku = 0;
  race.kyori = 0;
  std::memset(ds.kaisai.raceMei[r], 0, sizeof ds.kaisai.raceMei[r]);
  commitRace(ds, r);
  return true;
}

// --- comment ---

std::string commentForMemo(const DataStore& ds, int r) {
  return commentToMemo(cp932ToUtf8(fixedText(ds.races[static_cast<std::size_t>(r)].comento)));
}

bool registerComment(DataStore& ds, UserPort& port, int r, const std::string& memoUtf8) {
  RaceRecord& race = ds.races[static_cast<std::size_t>(r)];
  if (commentToMemo(memoUtf8) != commentForMemo(ds, r)) {
    TextCheck text = commentBytes(memoUtf8);
    if (!text.bytes) {
      showError(port, text.refusal);
      return false;
    }
    setFixedText(race.comento, *text.bytes);
  }
  commitRace(ds, r);
  return true;
}

// --- the going of a whole day ---

GoingSheet::GoingSheet(DataStore& ds) {
  ds.readRaceBlock(ds.shown());
  for (int r = 0; r < 12; ++r) {
    koumoku_[r] = ds.races[static_cast<std::size_t>(r)].koumoku;
    const int going = static_cast<int>(koumoku_[r] % 10);
    selected_[r] = (koumoku_[r] != 0 && going >= 1 && going <= 4) ? going - 1 : -1;
  }
}

void GoingSheet::select(int r, int item) {
  if (r < 0 || r >= 12 || !enabled(r) || item < 0 || item > 3) return;
  selected_[r] = item;
}

void GoingSheet::selectAll(int item) {
  for (int r = 0; r < 12; ++r) select(r, item);
}

void GoingSheet::apply(DataStore& ds) const {
  for (int r = 0; r < 12; ++r) {
    RaceRecord& race = ds.races[static_cast<std::size_t>(r)];
    // A race without items, or whose going could not be shown and was not chosen, stays as it is.
    if (race.koumoku == 0 || selected_[r] < 0) continue;
    race.koumoku = withGoing(race.koumoku, selected_[r] + 1);
  }
  ds.writeRaceBlock(ds.shown());
}

}  // namespace tovra
