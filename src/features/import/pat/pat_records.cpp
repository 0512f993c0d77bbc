#include "features/import/pat/pat_records.hpp"

#include <algorithm>

#include "domain/bet_types.hpp"
#include "domain/settlement.hpp"
#include "features/import/halfwidth.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

int num(const std::uint8_t* p, std::size_t off, std::size_t len) { return fieldNumber(p, off, len); }
std::string_view view(const std::uint8_t* p, std::size_t off, std::size_t len) {
  return {reinterpret_cast<const char*>(p) + off, len};
}

// A purchase file name from the index: one plain name, never a path.
bool plainName(const std::string& n) {
  return !n.empty() && n != "." && n != ".." && n.find_first_of("/\\") == std::string::npos;
}

struct IndexLayout {
  std::size_t first, size, count;
};
IndexLayout indexLayout(int kind) {
  if (kind == 0) return {1, 18, 10};
  if (kind == 1) return {22, 18, 10};
  return {23, 26, 100};
}

struct PurchaseLayout {
  std::size_t first, size, lead;  // lead: the 3-digit record number before the fields (0 for kind 0)
};
PurchaseLayout purchaseLayout(int kind) {
  if (kind == 0) return {5, 16, 0};
  if (kind == 1) return {18, 18, 3};
  return {23, 19, 3};
}

// The ticket's code in the ledger, or 0 when its numbers are not those of a ticket of
// its type: horses 1..18, brackets 1..8, two different horses for a horse pair. Pairs
// are kept smaller first, as every ticket is.
int ticketCode(BetType t, int numbers) {
  if (!isPairType(t)) return numbers >= 1 && numbers <= maxPick(t) ? numbers : 0;
  const int a = numbers / 100, b = numbers % 100, top = maxPick(t);
  if (a < 1 || a > top || b < 1 || b > top) return 0;
  if (t != BetType::Waku && a == b) return 0;
  return pairCode(t, a, b);
}

bool headMatches(const std::uint8_t* p, const MeetingKey& key) {
  return view(p, 0, 4) == key.year && num(p, 4, 4) == key.tsukiHi && view(p, 8, 4) == courseNameCp932(key.course) &&
         num(p, 16, 4) == key.kaiNichi;
}

// Result entries of a PAT result file: the number field(s), then the payout.
template <std::size_t N>
void singles(const std::uint8_t* p, std::size_t off, std::uint16_t (&keka)[N], std::int32_t (&haitou)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    keka[i] = static_cast<std::uint16_t>(num(p, off + i * 10, 2));
    haitou[i] = num(p, off + i * 10 + 2, 8);
  }
}
template <std::size_t N>
void pairs(const std::uint8_t* p, std::size_t off, std::size_t numLen, std::size_t entryLen, int multiplier,
           std::uint16_t (&keka)[N], std::int32_t (&haitou)[N], std::size_t count = N) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t e = off + i * entryLen;
    keka[i] = static_cast<std::uint16_t>(num(p, e, numLen) * multiplier + num(p, e + numLen + 1, numLen));
    haitou[i] = num(p, e + 2 * numLen + 1, 8);
  }
}

constexpr std::size_t kEntriesFirst = 93, kEntryLength = 48;

// Carried weight of an entries file: "55.0" -> 550 and "53.5" -> 535 (tenths), a field in
// full-width digits "５５" -> 55 (kilograms).
std::uint16_t patKinryo(std::string_view field) {
  std::size_t b = 0, e = field.size();
  while (b < e && field[b] == ' ') ++b;
  while (e > b && field[e - 1] == ' ') --e;
  const std::string_view t = field.substr(b, e - b);
  const std::size_t dot = t.find('.');
  const std::string_view whole = t.substr(0, dot);
  const std::string_view frac = dot == std::string_view::npos ? std::string_view{} : t.substr(dot + 1);
  auto digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  int tenths = 0;
  if (!t.empty() && !whole.empty() && digits(whole) && digits(frac) && whole.size() <= 4)
    tenths = fieldNumber(whole) * 10 + (frac.empty() ? 0 : frac[0] - '0');
  if (tenths == 0) return static_cast<std::uint16_t>(std::min(fieldNumber(ToHalfWidthKana(field)), 65535));
  return static_cast<std::uint16_t>(std::min(tenths, 65535));
}

}  // namespace

const char* patProgramFile(int kind) {
  static const char* const names[4] = {"", "patwin.exe", "pat95.exe", "pat98.exe"};
  return names[kind >= 0 && kind < 4 ? kind : 0];
}

const char* patIndexFile(int kind) { return kind == 0 ? "lg-fname.jra" : "lg-file.jra"; }

std::vector<PatIndexEntry> readPatIndex(int kind, std::span<const std::uint8_t> data) {
  const IndexLayout l = indexLayout(kind);
  std::vector<PatIndexEntry> out;
  for (std::size_t i = 0; i < l.count; ++i) {
    const std::size_t at = l.first + i * l.size;
    if (at + l.size > data.size()) break;
    const std::uint8_t* e = data.data() + at;
    PatIndexEntry x;
    if (kind == 0) {
      x.file = fieldText(e, 0, 8);
      x.tsukiHi = num(e, 12, 4);
    } else if (kind == 1) {
      x.file = fieldText(e, 0, 4) + ".jra";
      x.tsukiHi = num(e, 12, 4);
    } else {
      x.file = fieldText(e, 0, 5) + ".jra";
      x.year = std::string(view(e, 8, 4));
      x.tsukiHi = num(e, 12, 4);
    }
    out.push_back(x);
  }
  return out;
}

bool patIndexEntryMatches(int kind, const PatIndexEntry& e, const MeetingKey& key) {
  if (!plainName(e.file) || e.file == ".jra" || e.tsukiHi != key.tsukiHi) return false;
  return kind < 2 || e.year == key.year;
}

std::vector<PatTicket> readPatPurchaseFile(int kind, std::span<const std::uint8_t> data) {
  const PurchaseLayout l = purchaseLayout(kind);
  std::vector<PatTicket> out;
  for (std::size_t at = l.first; at + l.size <= data.size(); at += l.size) {
    const std::uint8_t* r = data.data() + at;
    if (kind == 0 ? (r[0] != '0' && r[0] != '1') : num(r, 0, 3) == 0) break;
    const std::uint8_t* f = r + l.lead;
    out.push_back({num(f, 0, 2), num(f, 2, 2), num(f, 4, 1), num(f, 5, 4), num(f, 9, 4)});
  }
  return out;
}

void applyPatTickets(const std::vector<PatTicket>& tickets, int kind, const MeetingKey& key,
                     const std::array<bool, kRacesPerDay>& boughtBefore, RaceBlock& races, std::vector<int>& taken) {
  for (const PatTicket& t : tickets) {
    if (t.course != key.course + 1 || t.race < 1 || t.race > kRacesPerDay) continue;
    const std::size_t r = static_cast<std::size_t>(t.race - 1);
    if (boughtBefore[r]) continue;
    const int maxType = kind >= 2 ? 5 : 4;  // ﾜｲﾄﾞ came with PAT for Win95
    if (t.type < 1 || t.type > maxType) continue;
    const BetType type = kRecordOrder[t.type - 1];  // PAT numbers the types in record order
    const int code = ticketCode(type, t.numbers);
    if (code == 0) continue;
    taken.push_back(t.race);
    Slots s = ticketSlots(races[r], type);
    const int used = usedSlots(ConstSlots{s.codes, s.amounts, s.capacity});
    if (used >= s.capacity) continue;  // the list is full: the ticket is dropped
    s.codes[used] = static_cast<std::uint16_t>(code);
    s.amounts[used] = t.stake * 100;
    std::int32_t& total = stakeTotal(races[r], type);
    total = saturate32(std::int64_t{total} + s.amounts[used]);
  }
}

int readPatResultFile(int kind, std::span<const std::uint8_t> data, const MeetingKey& key, RaceBlock& races) {
  const std::size_t d = kind == 3 ? 1 : 0;
  const std::size_t needed = kind == 3 ? 534 + 6 * 14 : 491 + d + 2 * 13;
  if (data.size() < needed) return 0;
  const std::uint8_t* p = data.data();
  if (!headMatches(p, key)) return 0;
  const int r = num(p, 20, 2);
  if (r < 1 || r > kRacesPerDay) return 0;
  RaceRecord& race = races[static_cast<std::size_t>(r - 1)];
  for (std::size_t i = 0; i < 5; ++i) {
    const std::size_t e = 92 + i * 40;
    race.chakuUma[i] = static_cast<std::uint16_t>(num(p, e, 2));
    storeText(race.chakuBamei[i], fieldText(p, e + 2, 18));
    storeText(race.chakuText[i], fieldText(p, e + 20, 6));
  }
  singles(p, 374 + d, race.tanKeka, race.tanHaitou);
  singles(p, 404 + d, race.fukuKeka, race.fukuHaitou);
  pairs(p, 455 + d, 1, 11, 10, race.wakuKeka, race.wakuHaitou);
  pairs(p, 491 + d, 2, 13, 100, race.umaKeka, race.umaHaitou);
  if (kind == 3) pairs(p, 534, 2, 14, 100, race.wideKeka, race.wideHaitou);
  return r;
}

int readPatEntriesFile(std::span<const std::uint8_t> data, const MeetingKey& key, RaceBlock& races) {
  if (data.size() < kEntriesFirst + 18 * kEntryLength) return 0;
  const std::uint8_t* p = data.data();
  if (!headMatches(p, key)) return 0;
  const int r = num(p, 20, 2);
  if (r < 1 || r > kRacesPerDay) return 0;
  RaceRecord& race = races[static_cast<std::size_t>(r - 1)];
  for (std::size_t j = 0; j < 18; ++j) {
    const std::uint8_t* e = p + kEntriesFirst + j * kEntryLength;
    race.shutsubaWaku[j] = static_cast<std::uint16_t>(num(e, 0, 1));
    storeText(race.shutsubaBamei[j], fieldText(e, 5, 18));
    storeText(race.shutsubaKishu[j], fieldText(e, 23, 18));
    race.shutsubaKinryo[j] = patKinryo(view(e, 43, 4));
  }
  return r;
}

std::string patRaceText(std::vector<int> races, const char* noneUtf8) {
  std::sort(races.begin(), races.end());
  races.erase(std::unique(races.begin(), races.end()), races.end());
  return races.empty() ? std::string(noneUtf8) : raceListText(races);
}

}  // namespace tovra
