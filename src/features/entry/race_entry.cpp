#include "features/entry/race_entry.hpp"

#include <cstring>

#include "domain/settlement.hpp"
#include "features/entry/entry_messages.hpp"
#include "features/entry/entry_text.hpp"
#include "storage/text.hpp"

namespace tovra {

namespace {

RaceRecord& raceOf(MeetingDay& day, int race) { return day.races[static_cast<std::size_t>(race)]; }
const RaceRecord& raceOf(const MeetingDay& day, int race) { return day.races[static_cast<std::size_t>(race)]; }

}  // namespace

std::string entryDayLabel(const KaisaiRecord& k, int course, int race) {
  const std::string jyo = sj(keibajo(course).name);
  if (race < 0)
    return sjprintfUtf8("%d月%2d日 %d回  %d日目  %s競馬場", k.month(), k.day(), k.kai(), k.nichi(), jyo.c_str());
  return sjprintfUtf8("%d月%2d日 %d回  %d日目  %s競馬場   %dR", k.month(), k.day(), k.kai(), k.nichi(), jyo.c_str(),
                      race + 1);
}

Result<MeetingDay> commitRace(const Ledger& ledger, const DayKey& key, MeetingDay day, int race) {
  settleRace(day.meeting, day.races, race);
  if (auto failed = ledger.writeDay(key, day)) return *failed;
  return day;
}

Result<MeetingDay> settleDay(const Ledger& ledger, const DayKey& key, MeetingDay day) {
  settleAllRaces(day.meeting, day.races);
  if (auto failed = ledger.writeDay(key, day)) return *failed;
  return day;
}

// --- race items ---

RaceItemsInput openRaceItems(const MeetingDay& day, int race) {
  RaceItemsInput in;
  const RaceRecord& r = raceOf(day, race);
  if (r.koumoku == 0) return in;  // every group on its first item, distance and name empty
  in.positions = positionsFromKoumoku(r.koumoku);
  in.kyoriText = std::to_string(r.kyori);
  in.raceName = cp932ToUtf8(fixedText(day.meeting.raceMei[race]));
  return in;
}

Result<MeetingDay> registerRaceItems(const Ledger& ledger, const DayKey& key, MeetingDay day, int race,
                                     const RaceItemsInput& in) {
  const int kyori = kyoriFromText(in.kyoriText);
  if (kyori == 0) return Refusal{MsgIcon::Error, msg::kKyoriMissing};
  if (kyori < 0) return Refusal{MsgIcon::Error, msg::kKyoriTooLong};
  // A name shown from the record and left alone keeps its bytes as they are.
  const bool nameKept = raceOf(day, race).koumoku != 0 && in.raceName == openRaceItems(day, race).raceName;
  std::string nameBytes;
  if (nameKept) {
    nameBytes = fixedText(day.meeting.raceMei[race]);
  } else {
    TextCheck name = raceNameBytes(in.raceName);
    if (!name.bytes) return Refusal{MsgIcon::Error, name.refusal};
    nameBytes = *name.bytes;
  }
  const std::uint32_t code = koumokuFromPositions(in.positions);
  if (!koumokuValid(code)) return Refusal{MsgIcon::Error, sjprintfUtf8(msg::kItemsBroken, race + 1)};
  RaceRecord& target = raceOf(day, race);
  target.kyori = static_cast<std::uint16_t>(kyori);
  target.koumoku = code;
  if (!nameKept) setFixedText(day.meeting.raceMei[race], nameBytes);
  return commitRace(ledger, key, std::move(day), race);
}

std::string deleteRaceItemsQuestion() { return msg::kItemsDelete; }

Result<MeetingDay> deleteRaceItems(const Ledger& ledger, const DayKey& key, MeetingDay day, int race) {
  RaceRecord& r = raceOf(day, race);
  r.koumoku = 0;
  r.kyori = 0;
  std::memset(day.meeting.raceMei[race], 0, sizeof day.meeting.raceMei[race]);
  return commitRace(ledger, key, std::move(day), race);
}

// --- comment ---

std::string commentForMemo(const RaceRecord& race) { return commentToMemo(cp932ToUtf8(fixedText(race.comento))); }

Result<MeetingDay> registerComment(const Ledger& ledger, const DayKey& key, MeetingDay day, int race,
                                   const std::string& memoUtf8) {
  RaceRecord& r = raceOf(day, race);
  if (commentToMemo(memoUtf8) != commentForMemo(r)) {
    TextCheck text = commentBytes(memoUtf8);
    if (!text.bytes) return Refusal{MsgIcon::Error, text.refusal};
    setFixedText(r.comento, *text.bytes);
  }
  return commitRace(ledger, key, std::move(day), race);
}

// --- the going of a whole day ---

GoingSheet::GoingSheet(const RaceBlock& races) : races_(races) {
  for (int r = 0; r < 12; ++r) {
    const std::uint32_t koumoku = races_[static_cast<std::size_t>(r)].koumoku;
    const int going = static_cast<int>(koumoku % 10);
    selected_[static_cast<std::size_t>(r)] = (koumoku != 0 && going >= 1 && going <= 4) ? going - 1 : -1;
  }
}

void GoingSheet::select(int r, int item) {
  if (r < 0 || r >= 12 || !enabled(r) || item < 0 || item > 3) return;
  selected_[static_cast<std::size_t>(r)] = item;
}

void GoingSheet::selectAll(int item) {
  for (int r = 0; r < 12; ++r) select(r, item);
}

RaceBlock GoingSheet::applied() const {
  RaceBlock out = races_;
  for (int r = 0; r < 12; ++r) {
    RaceRecord& race = out[static_cast<std::size_t>(r)];
    const int chosen = selected_[static_cast<std::size_t>(r)];
    // A race without items, or whose going could not be shown and was not chosen, stays as it is.
    if (race.koumoku == 0 || chosen < 0) continue;
    race.koumoku = withGoing(race.koumoku, chosen + 1);
  }
  return out;
}

Result<RaceBlock> GoingSheet::apply(const Ledger& ledger, const DayKey& key) const {
  RaceBlock out = applied();
  if (auto failed = ledger.writeRaces(key, out)) return *failed;
  return out;
}

}  // namespace tovra
