#include "features/import/jravan/jravan_records.hpp"

#include <cctype>

#include <algorithm>
#include <array>
#include <cstdio>

#include "domain/race_items.hpp"
#include "features/import/halfwidth.hpp"
#include "features/import/race_codes.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

using jra::ageDigit;
using jra::classDigit;
using jra::goingDigit;
using jra::kindDigit;
using jra::koumokuOf;
using jra::sexDigit;
using jra::trackDigit;
using jra::weightDigit;

char at(const std::uint8_t* rec, std::size_t off) { return static_cast<char>(rec[off]); }
int num(const std::uint8_t* rec, std::size_t off, std::size_t len) { return fieldNumber(rec, off, len); }

// --- the older layout ---

constexpr std::size_t kOldCardLength = 584, kOldResultLength = 1323;
constexpr std::size_t kNewCardLength = 1463, kNewResultLength = 3048;

// The first non-zero condition code from `from` in steps of 3 while a code starting
// there leaves room for `tail` more bytes of the record; `fallback` when there is none.
std::size_t conditionPosition(const std::uint8_t* rec, std::size_t from, std::size_t last, std::size_t fallback) {
  for (std::size_t p = from; p <= last; p += 3)
    if (num(rec, p, 3) != 0) return p;
  return fallback;
}

// 出馬表: the codes stand at 86, 89, 92, 95; the distance follows at 98.
std::uint32_t oldCardKoumoku(const std::uint8_t* rec) {
  const std::size_t p = conditionPosition(rec, 86, 95, 86);
  return koumokuOf(ageDigit(num(rec, 80, 2)), classDigit(num(rec, p, 3), at(rec, 104)), kindDigit(at(rec, 82)),
                   sexDigit(at(rec, 83)), weightDigit(at(rec, 85)), trackDigit(num(rec, 102, 2)), 1);
}

// 成績: the fields after the accepted code P follow it directly; P is normally 18. The
// search stops where the payout blocks (up to P + 280) would no longer fit the record.
constexpr std::size_t kOldResultTail = 280;
std::size_t oldResultP(const std::uint8_t* rec) {
  return conditionPosition(rec, 18, kOldResultLength - kOldResultTail, 18);
}

std::uint32_t oldResultKoumoku(const std::uint8_t* rec) {
  const std::size_t p = oldResultP(rec);
  return koumokuOf(ageDigit(num(rec, 13, 2)), classDigit(num(rec, p, 3), at(rec, p + 73)), kindDigit(at(rec, 15)),
                   sexDigit(at(rec, 16)), weightDigit(at(rec, p + 3)), trackDigit(num(rec, p + 8, 2)),
                   goingDigit(num(rec, p + 75, 1)));
}

// An older result block: entries of a number field and a payout, in order; the first
// entry whose number is 0 ends the block, the entries after it keep what they hold.
template <std::size_t N>
void oldBlock(const std::uint8_t* rec, std::size_t off, std::size_t numLen, std::size_t payLen,
              std::uint16_t (&keka)[N], std::int32_t (&haitou)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t e = off + i * (numLen + payLen);
    const int n = num(rec, e, numLen);
    if (n == 0) return;
    keka[i] = static_cast<std::uint16_t>(n);
    haitou[i] = num(rec, e + numLen, payLen);
  }
}

void readOldResults(const std::uint8_t* rec, RaceRecord& race) {
  const std::size_t p = oldResultP(rec);
  oldBlock(rec, p + 157, 2, 7, race.tanKeka, race.tanHaitou);
  oldBlock(rec, p + 184, 2, 7, race.fukuKeka, race.fukuHaitou);
  oldBlock(rec, p + 229, 2, 7, race.wakuKeka, race.wakuHaitou);
  oldBlock(rec, p + 256, 4, 8, race.umaKeka, race.umaHaitou);
}

// --- the newer layout ---

std::size_t newConditionOffset(int typeCode) {
  switch (typeCode) {
    case 12:
    case 13:
    case 18:
    case 22:
    case 23: return 96;
    case 14:
    case 19:
    case 24: return 99;
    default: return 93;  // 11, 21, and codes that do not occur
  }
}

std::uint32_t newKoumoku(const std::uint8_t* rec, bool result) {
  const int type = num(rec, 87, 2);
  return koumokuOf(ageDigit(type), classDigit(num(rec, newConditionOffset(type), 3), at(rec, 86)),
                   kindDigit(at(rec, 89)), sexDigit(at(rec, 90)), weightDigit(at(rec, 92)),
                   trackDigit(num(rec, 136, 2)), result ? goingDigit(num(rec, 331, 1)) : 1);
}

// A newer result block: every entry stored as read, zeros included.
template <std::size_t N>
void newBlock(const std::uint8_t* rec, std::size_t off, std::size_t numLen, std::size_t payLen, std::size_t entryLen,
              std::uint16_t (&keka)[N], std::int32_t (&haitou)[N], std::size_t count = N) {
  for (std::size_t i = 0; i < std::min(count, N); ++i) {
    const std::size_t e = off + i * entryLen;
    keka[i] = static_cast<std::uint16_t>(num(rec, e, numLen));
    haitou[i] = num(rec, e + numLen, payLen);
  }
}

// Carried weight in tenths: 550 -> 55 (whole kilograms), 535 stays 535 (tenths).
std::uint16_t kinryo(int tenths) { return static_cast<std::uint16_t>(tenths % 10 == 0 ? tenths / 10 : tenths); }

// The runner table of a newer record: entry j describes horse number j + 1.
void readRunners(const std::uint8_t* rec, std::size_t first, std::size_t entryLen, RaceRecord& race) {
  for (std::size_t j = 0; j < 18; ++j) {
    const std::uint8_t* e = rec + first + j * entryLen;
    race.shutsubaWaku[j] = static_cast<std::uint16_t>(num(e, 0, 1));
    storeText(race.shutsubaBamei[j], halfWidthFitting(std::string_view(reinterpret_cast<const char*>(e) + 11, 18),
                                                      sizeof race.shutsubaBamei[j] - 1));
    race.shutsubaKinryo[j] = kinryo(num(e, 30, 3));
    storeText(race.shutsubaKishu[j], fieldText(e, 39, 8));
  }
}

// The first five finishers of a newer results record. Horses are placed by finishing
// position; a second horse on a position already taken (a dead heat) goes to the next
// free place with the text "同着" instead of replacing the first.
void readFinishers(const std::uint8_t* rec, std::size_t first, std::size_t entryLen, RaceRecord& race) {
  struct Finisher {
    int position;
    std::size_t j;
  };
  std::vector<Finisher> finishers;
  for (std::size_t j = 0; j < 18; ++j) {
    const int p = num(rec + first + j * entryLen, 91, 2);
    if (p >= 1 && p <= 5) finishers.push_back({p, j});
  }
  std::stable_sort(finishers.begin(), finishers.end(),
                   [](const Finisher& a, const Finisher& b) { return a.position < b.position; });
  std::array<int, 5> placedPosition{};  // finishing position held by each place in this record (0 = free)
  for (const Finisher& f : finishers) {
    std::size_t place = static_cast<std::size_t>(f.position - 1);
    while (place < 5 && placedPosition[place] != 0) ++place;
    if (place >= 5) continue;
    const bool deadHeat = place != static_cast<std::size_t>(f.position - 1);
    placedPosition[place] = f.position;
    const std::uint8_t* e = rec + first + f.j * entryLen;
    race.chakuUma[place] = static_cast<std::uint16_t>(f.j + 1);
    storeText(race.chakuBamei[place], halfWidthFitting(std::string_view(reinterpret_cast<const char*>(e) + 11, 18),
                                                       sizeof race.chakuBamei[place] - 1));
    std::string text;
    if (deadHeat)
      text = jravanMarginText("D  ");
    else if (f.position == 1)
      text = jravanTimeText(num(e, 82, 4));
    else
      text = jravanMarginText(std::string_view(reinterpret_cast<const char*>(e) + 86, 3));
    storeText(race.chakuText[place], text);
  }
}

void readNewResults(const std::uint8_t* rec, RaceRecord& race) {
  newBlock(rec, 333, 2, 7, 11, race.tanKeka, race.tanHaitou);
  newBlock(rec, 366, 2, 7, 11, race.fukuKeka, race.fukuHaitou);
  newBlock(rec, 421, 2, 7, 11, race.wakuKeka, race.wakuHaitou);
  newBlock(rec, 454, 4, 8, 15, race.umaKeka, race.umaHaitou);
  newBlock(rec, 499, 4, 8, 15, race.wideKeka, race.wideHaitou);
}

int raceNumber(const std::uint8_t* rec, const JravanFormat& f) { return num(rec, f.newer ? 14 : 6, 2); }

void readRecord(const std::uint8_t* rec, const JravanFormat& f, KaisaiRecord& kaisai, RaceRecord& race, int r) {
  const bool result = f.kind == JravanKind::Result;
  race.koumoku = jravanKoumoku(rec, f);
  if (f.newer) {
    race.kyori = static_cast<std::uint16_t>(num(rec, 132, 4));
    storeText(kaisai.raceMei[r], fieldText(rec, 17, 60));
    if (result) {
      readNewResults(rec, race);
      readRunners(rec, 726, 129, race);
      readFinishers(rec, 726, 129, race);
    } else {
      readRunners(rec, 329, 63, race);
    }
  } else if (result) {
    const std::size_t p = oldResultP(rec);
    race.kyori = static_cast<std::uint16_t>(num(rec, p + 4, 4));
    storeText(kaisai.raceMei[r], fieldText(rec, p + 10, 60));
    readOldResults(rec, race);
  } else {
    race.kyori = static_cast<std::uint16_t>(num(rec, 98, 4));
    storeText(kaisai.raceMei[r], fieldText(rec, 17, 60));
  }
}

}  // namespace

std::size_t JravanFormat::recordLength() const {
  if (newer) return kind == JravanKind::Card ? kNewCardLength : kNewResultLength;
  return kind == JravanKind::Card ? kOldCardLength : kOldResultLength;
}

bool jravanRecordMatches(const std::uint8_t* rec, const JravanFormat& f, const MeetingKey& key) {
  if (f.newer) {
    return std::string_view(reinterpret_cast<const char*>(rec), 4) == key.year && num(rec, 4, 4) == key.tsukiHi &&
           num(rec, 8, 2) == key.course + 1 && num(rec, 10, 4) == key.kaiNichi;
  }
  // The older race key is course, year (two digits), 回, 日目: a record of another year
  // with the same 回 and 日目 is not of this day.
  const bool yearDigits = std::isdigit(rec[2]) && std::isdigit(rec[3]);
  if (yearDigits && key.year.size() == 4 &&
      std::string_view(reinterpret_cast<const char*>(rec) + 2, 2) != key.year.substr(2))
    return false;
  return num(rec, 0, 2) == key.course + 1 && num(rec, 4, 2) == key.kai() * 10 + key.nichi();
}

std::string jravanDateText(std::span<const std::uint8_t> data, const JravanFormat& f, const MeetingKey& key) {
  const std::size_t len = f.recordLength();
  const std::size_t n = std::min(data.size() / len, kJravanMaxRecords);
  for (std::size_t k = 0; k < n; ++k) {
    if (!jravanRecordMatches(data.data() + k * len, f, key)) continue;
    if (f.newer)
      return key.year + "年" + std::to_string(key.tsukiHi / 100) + "月" + std::to_string(key.tsukiHi % 100) + "日";
    const std::uint8_t* rec = data.data() + k * len;
    if (std::isdigit(rec[2]) && std::isdigit(rec[3])) return key.year + "年";
    return {};
  }
  return {};
}

bool jravanFileMatches(std::span<const std::uint8_t> data, const JravanFormat& f, const MeetingKey& key) {
  const std::size_t len = f.recordLength();
  if (data.empty() || data.size() % len != 0) return false;
  const std::size_t n = std::min(data.size() / len, kJravanMaxRecords);
  for (std::size_t k = 0; k < n; ++k)
    if (jravanRecordMatches(data.data() + k * len, f, key)) return true;
  return false;
}

std::uint32_t jravanKoumoku(const std::uint8_t* rec, const JravanFormat& f) {
  if (f.newer) return newKoumoku(rec, f.kind == JravanKind::Result);
  return f.kind == JravanKind::Card ? oldCardKoumoku(rec) : oldResultKoumoku(rec);
}

std::vector<int> readJravanRecords(std::span<const std::uint8_t> data, const JravanFormat& f, const MeetingKey& key,
                                   KaisaiRecord& kaisai, RaceBlock& races) {
  std::vector<int> taken;
  const std::size_t len = f.recordLength();
  const std::size_t n = std::min(data.size() / len, kJravanMaxRecords);
  for (std::size_t k = 0; k < n; ++k) {
    const std::uint8_t* rec = data.data() + k * len;
    if (!jravanRecordMatches(rec, f, key)) continue;
    const int r = raceNumber(rec, f);
    if (r < 1 || r > kRacesPerDay) continue;
    readRecord(rec, f, kaisai, races[static_cast<std::size_t>(r - 1)], r - 1);
    taken.push_back(r);
  }
  return taken;
}

std::string jravanRaceText(const std::vector<int>& races) { return cutCp932(raceListText(races), 200); }

int jravanItemsFault(const RaceBlock& races) {
  for (int r = 0; r < kRacesPerDay; ++r) {
    const std::uint32_t code = races[static_cast<std::size_t>(r)].koumoku;
    if (code == 0) return 0;
    if (!koumokuValid(code)) return r + 1;
  }
  return 0;
}

}  // namespace tovra
