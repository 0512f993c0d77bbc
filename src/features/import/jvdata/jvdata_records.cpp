#include "features/import/jvdata/jvdata_records.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "features/import/fields.hpp"

namespace tovra {
namespace {

// A number field: blanks around the digits allowed; an empty field, or one with any
// other character, reads as 0. Up to 18 digits (the carry-over amounts have 15).
std::int64_t num64(const std::uint8_t* rec, std::size_t off, std::size_t len) {
  std::size_t b = off, e = off + len;
  while (b < e && rec[b] == ' ') ++b;
  while (e > b && rec[e - 1] == ' ') --e;
  if (b == e || e - b > 18) return 0;
  std::int64_t v = 0;
  for (std::size_t i = b; i < e; ++i) {
    if (rec[i] < '0' || rec[i] > '9') return 0;
    v = v * 10 + (rec[i] - '0');
  }
  return v;
}
int num(const std::uint8_t* rec, std::size_t off, std::size_t len) { return static_cast<int>(num64(rec, off, len)); }
char ch(const std::uint8_t* rec, std::size_t off) { return static_cast<char>(rec[off]); }
std::string raw(const std::uint8_t* rec, std::size_t off, std::size_t len) {
  return std::string(reinterpret_cast<const char*>(rec) + off, len);
}

// 12-27: year 4, 月日 4, 場 2, 回 2, 日目 2, race 2.
JvRaceId raceId(const std::uint8_t* rec) {
  return {num(rec, 11, 4), num(rec, 15, 4), num(rec, 19, 2), num(rec, 21, 2), num(rec, 23, 2), num(rec, 25, 2)};
}

bool flagSet(const std::uint8_t* rec, std::size_t off) { return rec[off] == '1'; }

// A row of one-byte flags: the 1-based numbers of those set.
std::vector<int> flaggedNumbers(const std::uint8_t* rec, std::size_t off, std::size_t count) {
  std::vector<int> v;
  for (std::size_t i = 0; i < count; ++i)
    if (flagSet(rec, off + i)) v.push_back(static_cast<int>(i) + 1);
  return v;
}

// A block of payouts: `count` slots of a combination (`horses` numbers of `width` digits
// each), a payout of 9 digits and a popularity of `popLen` digits.
struct Block {
  JvPayType type;
  std::size_t off, count, horses, width, popLen;
};
constexpr Block kBlocks[] = {
    {JvPayType::Win, 102, 3, 1, 2, 2},      {JvPayType::Place, 141, 5, 1, 2, 2},
    {JvPayType::Bracket, 206, 3, 2, 1, 2},  {JvPayType::Quinella, 245, 3, 2, 2, 3},
    {JvPayType::Wide, 293, 7, 2, 2, 3},     {JvPayType::Reserved, 405, 3, 2, 2, 3},
    {JvPayType::Exacta, 453, 6, 2, 2, 3},   {JvPayType::Trio, 549, 3, 3, 2, 3},
    {JvPayType::Trifecta, 603, 6, 3, 2, 4},
};

void readBlock(const std::uint8_t* rec, const Block& b, JvPayouts& p) {
  const std::size_t slot = b.horses * b.width + 9 + b.popLen;
  for (std::size_t i = 0; i < b.count; ++i) {
    const std::size_t s = b.off + i * slot;
    JvPay pay;
    bool any = false;
    for (std::size_t h = 0; h < b.horses; ++h) {
      pay.horses[h] = num(rec, s + h * b.width, b.width);
      any = any || pay.horses[h] != 0;
    }
    pay.payout = num64(rec, s + b.horses * b.width, 9);
    pay.popularity = num(rec, s + b.horses * b.width + 9, b.popLen);
    if (i == 0 && p.special[jvIndex(b.type)]) p.specialPay[jvIndex(b.type)] = pay.payout;
    if (any) p.pays[jvIndex(b.type)].push_back(pay);
  }
}

bool endsLine(std::span<const std::uint8_t> rec, std::size_t len) {
  return rec.size() >= len && rec[len - 2] == '\r' && rec[len - 1] == '\n';
}

struct KnownLength {
  char kind[3];
  std::size_t length;
};
// The record kinds of JV-Data and their lengths. A record of a kind not listed ends a
// scan; so does one whose CR LF is not where its length puts it.
constexpr KnownLength kKnownLengths[] = {
    {"TK", 21657}, {"RA", kJvRaLength}, {"HR", kJvHrLength}, {"H1", 28955}, {"H6", 102890}, {"O1", 962},
    {"O2", 2042},  {"O3", 2654},        {"O4", 4031},        {"O5", 12293}, {"O6", 83285},  {"UM", 1609},
    {"KS", 4173},  {"CH", 3862},        {"BR", 545},         {"BN", 477},   {"HN", 251},    {"SK", 208},
    {"CK", 6870},  {"RC", 501},         {"HC", 60},          {"HS", 200},   {"HY", 123},    {"YS", 382},
    {"BT", 6889},  {"CS", 6829},        {"DM", 303},         {"TM", 141},   {"WF", kJvWfLength},
    {"JG", 80},    {"WH", 847},         {"WE", 42},          {"AV", 78},    {"JC", 161},    {"TC", 45},
    {"CC", 50},    {"WC", 105},
};

}  // namespace

std::optional<JvRace> parseJvRace(std::span<const std::uint8_t> span) {
  if (span.size() < kJvRaLength) return std::nullopt;
  const std::uint8_t* rec = span.data();
  JvRace r;
  r.dataKind = ch(rec, 2);
  r.id = raceId(rec);
  r.name = fieldText(rec, 32, 60);         // 33 本題
  r.grade = ch(rec, 614);                  // 615
  r.typeCode = num(rec, 616, 2);           // 617 競走種別
  r.mark = raw(rec, 618, 3);               // 619 競走記号
  r.weight = ch(rec, 621);                 // 622 重量種別
  for (std::size_t i = 0; i < 5; ++i) r.conditions[i] = num(rec, 622 + 3 * i, 3);  // 623
  r.distance = num(rec, 697, 4);           // 698
  r.track = num(rec, 705, 2);              // 706
  r.startTime = num(rec, 873, 4);          // 874
  r.registered = num(rec, 881, 2);         // 882
  r.starters = num(rec, 883, 2);           // 884
  r.weather = num(rec, 887, 1);            // 888 天候, 芝, ダート
  r.turfGoing = num(rec, 888, 1);
  r.dirtGoing = num(rec, 889, 1);
  return r;
}

std::optional<JvRunner> parseJvRunner(std::span<const std::uint8_t> span) {
  if (span.size() < kJvSeOldLength) return std::nullopt;
  const std::uint8_t* rec = span.data();
  JvRunner r;
  r.dataKind = ch(rec, 2);
  r.id = raceId(rec);
  r.frame = num(rec, 27, 1);               // 28
  r.horse = num(rec, 28, 2);               // 29
  r.name = raw(rec, 40, 36);               // 41
  r.carried = num(rec, 288, 3);            // 289
  r.jockey = fieldText(rec, 306, 8);       // 307
  r.abnormality = num(rec, 331, 1);        // 332
  r.position = num(rec, 334, 2);           // 335
  r.deadHeat = flagSet(rec, 336);          // 337
  r.time = num(rec, 338, 4);               // 339
  r.margin = raw(rec, 342, 3);             // 343
  return r;
}

std::optional<JvPayouts> parseJvPayouts(std::span<const std::uint8_t> span) {
  if (span.size() < kJvHrLength) return std::nullopt;
  const std::uint8_t* rec = span.data();
  JvPayouts p;
  p.dataKind = ch(rec, 2);
  p.id = raceId(rec);
  p.starters = num(rec, 29, 2);  // 30
  const bool flags = p.id.date() >= kJvHrFlagsFrom;
  for (std::size_t t = 0; t < kJvPayTypes; ++t) {
    p.failed[t] = flagSet(rec, 31 + t);             // 32
    p.special[t] = flags && flagSet(rec, 40 + t);   // 41
    p.refund[t] = flags && flagSet(rec, 49 + t);    // 50
  }
  p.refundedHorses = flaggedNumbers(rec, 58, 28);      // 59
  p.refundedFrames = flaggedNumbers(rec, 86, 8);       // 87
  p.refundedSameFrames = flaggedNumbers(rec, 94, 8);   // 95
  const bool trifecta = p.id.date() >= kJvTrifectaFrom;
  for (const Block& b : kBlocks) {
    if (b.type == JvPayType::Trifecta && !trifecta) continue;  // reserved before it was sold
    readBlock(rec, b, p);
  }
  return p;
}

std::optional<JvWin5> parseJvWin5(std::span<const std::uint8_t> span) {
  if (span.size() < kJvWfLength) return std::nullopt;
  const std::uint8_t* rec = span.data();
  JvWin5 w;
  w.dataKind = ch(rec, 2);
  w.year = num(rec, 11, 4);  // 12
  w.month = num(rec, 15, 2);
  w.day = num(rec, 17, 2);
  for (std::size_t i = 0; i < 5; ++i) {  // 22: 場 2, 回 2, 日目 2, race 2
    const std::size_t o = 21 + 8 * i;
    w.legs[i] = {num(rec, o, 2), num(rec, o + 2, 2), num(rec, o + 4, 2), num(rec, o + 6, 2)};
  }
  w.sold = num64(rec, 67, 11);                                              // 68
  for (std::size_t i = 0; i < 5; ++i) w.valid[i] = num64(rec, 78 + 11 * i, 11);  // 79
  w.refund = flagSet(rec, 133);    // 134
  w.failed = flagSet(rec, 134);    // 135
  w.noWinner = flagSet(rec, 135);  // 136
  w.carryStart = num64(rec, 136, 15);    // 137
  w.carryBalance = num64(rec, 151, 15);  // 152
  for (std::size_t i = 0; i < 243; ++i) {  // 167: 組番 10, 払戻金 9, 的中票数 10
    const std::size_t o = 166 + 29 * i;
    JvWin5Pay pay;
    bool any = false;
    for (std::size_t h = 0; h < 5; ++h) {
      pay.horses[h] = num(rec, o + 2 * h, 2);
      any = any || pay.horses[h] != 0;
    }
    if (!any) continue;
    pay.payout = num64(rec, o + 10, 9);
    pay.votes = num64(rec, o + 19, 10);
    w.pays.push_back(pay);
  }
  return w;
}

std::size_t jvRecordLength(std::span<const std::uint8_t> rec) {
  if (rec.size() < 2) return 0;
  const char a = static_cast<char>(rec[0]), b = static_cast<char>(rec[1]);
  if (a == 'S' && b == 'E') {
    if (endsLine(rec, kJvSeLength)) return kJvSeLength;
    if (endsLine(rec, kJvSeOldLength)) return kJvSeOldLength;
    // Neither: the length of the race's era, for the fault to name.
    const int date = rec.size() >= 19 ? num(rec.data(), 11, 8) : 0;
    return date != 0 && date < kJvSeLongFrom ? kJvSeOldLength : kJvSeLength;
  }
  for (const KnownLength& k : kKnownLengths)
    if (k.kind[0] == a && k.kind[1] == b) return k.length;
  return 0;
}

JvScan scanJvData(std::span<const std::uint8_t> data, const JvDayFilter& filter) {
  JvScan scan;
  const auto keep = [&](const JvRaceId& id) {
    return (filter.date == 0 || id.date() == filter.date) && (filter.course == 0 || id.course == filter.course);
  };
  std::size_t off = 0;
  while (off < data.size()) {
    const std::span<const std::uint8_t> rest = data.subspan(off);
    const std::size_t len = jvRecordLength(rest);
    const std::size_t record = scan.day.records + 1;
    const std::string kind(reinterpret_cast<const char*>(rest.data()), std::min<std::size_t>(rest.size(), 2));
    if (len == 0) {
      scan.fault = JvScanFault{JvScanFault::Kind::Unknown, off, record, kind};
      return scan;
    }
    if (rest.size() < len) {
      scan.fault = JvScanFault{JvScanFault::Kind::Cut, off, record, kind};
      return scan;
    }
    if (!endsLine(rest, len)) {
      scan.fault = JvScanFault{JvScanFault::Kind::NoLineEnd, off, record, kind};
      return scan;
    }
    const std::span<const std::uint8_t> rec = rest.first(len);
    // Only the kinds read here are parsed, and only when their day is kept.
    if (kind == "RA" || kind == "SE" || kind == "HR") {
      if (keep(raceId(rec.data()))) {
        if (kind == "RA") scan.day.races.push_back(*parseJvRace(rec));
        else if (kind == "SE") scan.day.runners.push_back(*parseJvRunner(rec));
        else scan.day.payouts.push_back(*parseJvPayouts(rec));
      }
    } else if (kind == "WF") {
      if (filter.date == 0 || num(rec.data(), 11, 8) == filter.date) scan.day.win5.push_back(*parseJvWin5(rec));
    }
    ++scan.day.records;
    off += len;
  }
  return scan;
}

}  // namespace tovra
