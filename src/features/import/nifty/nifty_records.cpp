#include "features/import/nifty/nifty_records.hpp"

#include <optional>
#include <string_view>

#include "features/import/halfwidth.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

// The markers and fixed texts, as CP932.
struct Texts {
  std::string dai = sj("第"), fuku = sj("複"), waku = sj("枠"), uma = sj("馬"), wa = sj("ワ"), chaku = sj("着"),
              tan = sj("単"), renshou = sj("連勝"), banRenshou = sj("番連勝"), dots = sj("……………"),
              henkan = sj("返　還　　"), umabanWide = sj("馬番ワイド");
};
const Texts& texts() {
  static const Texts t;
  return t;
}

// A read position in the text. Units are two bytes, but a line feed ends a unit early,
// so that every line is read from its first byte in steps of two.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> d) : d_(d) {}
  std::size_t pos() const { return pos_; }
  void seek(std::size_t p) { pos_ = std::min(p, d_.size()); }
  void skip(std::size_t n) { seek(pos_ + std::min(n, d_.size())); }
  bool atEnd() const { return pos_ >= d_.size(); }
  // The next unit (empty at the end of the text).
  std::string_view unit() {
    if (atEnd()) return {};
    const std::size_t n = (d_[pos_] == '\n' || pos_ + 1 >= d_.size()) ? 1 : 2;
    const std::string_view u(reinterpret_cast<const char*>(d_.data()) + pos_, n);
    pos_ += n;
    return u;
  }
  // Scans at most `limit` units for one of the markers; the marker found, or empty.
  std::string_view scan(std::initializer_list<std::string_view> markers, int limit) {
    for (int i = 0; i < limit && !atEnd(); ++i) {
      const std::string_view u = unit();
      for (std::string_view m : markers)
        if (u == m) return m;
    }
    return {};
  }
  // The next n bytes as they stand; nullopt when the text ends before them.
  std::optional<std::string_view> bytes(std::size_t n) {
    if (d_.size() - pos_ < n) {
      pos_ = d_.size();
      return std::nullopt;
    }
    const std::string_view b(reinterpret_cast<const char*>(d_.data()) + pos_, n);
    pos_ += n;
    return b;
  }

 private:
  std::span<const std::uint8_t> d_;
  std::size_t pos_ = 0;
};

// --- full-width digits ---

constexpr unsigned char kDigitLead = 0x82;
int digitOf(std::string_view c) {  // ０..９ -> 0..9, else -1
  if (c.size() != 2 || static_cast<unsigned char>(c[0]) != kDigitLead) return -1;
  const int v = static_cast<unsigned char>(c[1]) - 0x4F;
  return v >= 0 && v <= 9 ? v : -1;
}
bool isBlank(std::string_view c) { return c == "\x81\x40"; }

// One digit 1..9; 0 when it is not one.
int oneDigit(std::string_view c) {
  const int v = digitOf(c);
  return v >= 1 ? v : 0;
}
// A horse number in four bytes: `lowForm` "　"/"０" + "１".."９" or "１" + "０".."８".
int horseNumber(std::string_view f, bool zeroLead) {
  const std::string_view a = f.substr(0, 2), b = f.substr(2, 2);
  const int low = oneDigit(b);
  if ((zeroLead ? digitOf(a) == 0 : isBlank(a)) && low >= 1) return low;
  if (digitOf(a) == 1 && digitOf(b) >= 0 && digitOf(b) <= 8) return 10 + digitOf(b);
  return 0;
}
int bracketNumber(std::string_view c) {
  const int v = oneDigit(c);
  return v <= 8 ? v : 0;
}
// A payout: six full-width characters, each a blank or a digit; -1 when it is not one.
int payout(std::string_view f) {
  int v = 0;
  for (std::size_t i = 0; i < 12; i += 2) {
    const std::string_view c = f.substr(i, 2);
    if (isBlank(c)) continue;
    const int d = digitOf(c);
    if (d < 0) return -1;
    v = v * 10 + d;
  }
  return v;
}
// The race number: "　１".."　９", "１０".."１２".
int raceNumberOf(std::string_view f) {
  if (isBlank(f.substr(0, 2))) return oneDigit(f.substr(2, 2));
  if (digitOf(f.substr(0, 2)) == 1) {
    const int d = digitOf(f.substr(2, 2));
    if (d >= 0 && d <= 2) return 10 + d;
  }
  return 0;
}

// How a section goes on after an entry: the next entry, a race error, the end of the
// whole block (successfully), or the end of this section with the block going on.
enum class Outcome { Ok, Error, BlockDone, SectionDone };

struct SectionSpec {
  std::size_t a1, a2, w, b;
};

// Reads the entries of one section; `entry` decodes and stores entry i from its number
// field and payout, and says how the section goes on.
template <class Entry>
Outcome entries(Cursor& c, int count, const SectionSpec& s, Entry&& entry) {
  for (int i = 0; i < count; ++i) {
    c.skip(i == 0 ? s.a1 : s.a2);
    const auto field = c.bytes(s.w);
    if (!field) return Outcome::Error;
    c.skip(s.b);
    const auto pay = c.bytes(12);
    const Outcome o = entry(i, *field, pay);
    if (o != Outcome::Ok) return o;
  }
  return Outcome::Ok;
}

template <class Entry>
Outcome section(Cursor& c, int count, const SectionSpec& s, Entry&& entry) {
  const Outcome o = entries(c, count, s, entry);
  return o == Outcome::SectionDone ? Outcome::Ok : o;
}

// Entry i of a result section into keka[i] and haitou[i] (both zero unless the entry is
// read): `end(f)` says how a field that is no entry goes on (Outcome::Ok for an entry),
// `numbers(f)` reads the entry's number code (0 when the field holds none).
template <class End, class Numbers>
auto resultEntry(std::uint16_t* keka, std::int32_t* haitou, End end, Numbers numbers) {
  return [=](int i, std::string_view f, std::optional<std::string_view> p) {
    keka[i] = 0;
    haitou[i] = 0;
    if (const Outcome o = end(f); o != Outcome::Ok) return o;
    const int n = numbers(f), v = p ? payout(*p) : -1;
    if (n == 0 || v < 0) return Outcome::Error;
    keka[i] = static_cast<std::uint16_t>(n);
    haitou[i] = v;
    return Outcome::Ok;
  };
}

// A section's end as a field equal to `text` ends it.
auto endsAt(const std::string& text) {
  return [&text](std::string_view f) { return f == text ? Outcome::SectionDone : Outcome::Ok; };
}

int horse(std::string_view f) { return horseNumber(f, false); }
// Two brackets "１－２": 12, or 0.
int bracketPair(std::string_view f) {
  const int a = bracketNumber(f.substr(0, 2)), b = bracketNumber(f.substr(4, 2));
  return a != 0 && b != 0 ? a * 10 + b : 0;
}
// Two horses "０１－０２": 102, or 0.
int horsePair(std::string_view f) {
  const int a = horseNumber(f.substr(0, 4), true), b = horseNumber(f.substr(6, 4), true);
  return a != 0 && b != 0 ? a * 100 + b : 0;
}

Outcome readSections(Cursor& c, std::size_t start, RaceRecord& race) {
  const Texts& t = texts();
  // 単勝: two entries; a second field "連勝" means one winner.
  c.seek(start);
  c.scan({t.fuku}, 800);
  Outcome o = section(c, 2, {16, 36, 4, 4}, resultEntry(race.tanKeka, race.tanHaitou, endsAt(t.renshou), horse));
  if (o != Outcome::Ok) return o;
  // 複勝: four entries; a field starting with an ASCII blank ends them.
  c.seek(start);
  c.scan({t.fuku}, 800);
  const auto blankEnds = [](std::string_view f) { return f[0] == ' ' ? Outcome::SectionDone : Outcome::Ok; };
  o = section(c, 4, {44, 38, 4, 2}, resultEntry(race.fukuKeka, race.fukuHaitou, blankEnds, horse));
  if (o != Outcome::Ok) return o;
  // 枠連: two entries; "番連勝" ends them.
  c.seek(start);
  c.scan({t.waku}, 800);
  o = section(c, 2, {56, 34, 6, 4}, resultEntry(race.wakuKeka, race.wakuHaitou, endsAt(t.banRenshou), bracketPair));
  if (o != Outcome::Ok) return o;
  // 馬連 and ﾜｲﾄﾞ: "……………", "返　還　　" or a field starting with 0x96 end the whole
  // block; "馬番ワイド" in the quinella section ends it and the wide section follows.
  const auto pairEnds = [&t](bool quinella) {
    return [&t, quinella](std::string_view f) {
      if (f == t.dots || f == t.henkan || static_cast<unsigned char>(f[0]) == 0x96) return Outcome::BlockDone;
      if (quinella && f == t.umabanWide) return Outcome::SectionDone;
      return Outcome::Ok;
    };
  };
  c.seek(start + 100);
  c.scan({t.uma}, 800);
  o = section(c, 2, {54, 32, 10, 2}, resultEntry(race.umaKeka, race.umaHaitou, pairEnds(true), horsePair));
  if (o != Outcome::Ok) return o == Outcome::BlockDone ? Outcome::Ok : o;
  c.seek(start + 500);
  c.scan({t.wa}, 200);
  o = section(c, 6, {50, 32, 10, 2}, resultEntry(race.wideKeka, race.wideHaitou, pairEnds(false), horsePair));
  return o == Outcome::BlockDone ? Outcome::Ok : o;
}

// The finishers after the race number: up to five, each after a "着"; "単" ends them.
void readFinishers(Cursor& c, RaceRecord& race) {
  const Texts& t = texts();
  for (std::size_t p = 0; p < 5; ++p) {
    if (c.scan({t.chaku, t.tan}, 100) == t.tan) return;
    const auto number = c.bytes(4);
    const auto name = c.bytes(24);
    const auto text = c.bytes(15);
    if (!number || !name || !text) return;
    race.chakuUma[p] = static_cast<std::uint16_t>(fieldNumber(ToHalfWidthKana(*number)));
    storeText(race.chakuBamei[p], halfWidthFitting(*name, sizeof race.chakuBamei[p] - 1));
    storeText(race.chakuText[p], halfWidthFitting(*text, 9));
  }
}

}  // namespace

bool niftyHeadMatches(std::span<const std::uint8_t> data, const MeetingKey& key) {
  if (data.size() < 46) return false;
  const std::string_view d(reinterpret_cast<const char*>(data.data()), data.size());
  const int kai = oneDigit(d.substr(32, 2)), nichi = oneDigit(d.substr(44, 2));
  return kai != 0 && nichi != 0 && kai == key.kai() && nichi == key.nichi() &&
         d.substr(36, 4) == courseNameCp932(key.course);
}

NiftyRead readNiftyBlocks(std::span<const std::uint8_t> data, const MeetingKey& key, RaceBlock& races) {
  NiftyRead out;
  Cursor c(data);
  c.seek(66);
  const std::string& course = courseNameCp932(key.course);
  for (int blocks = 0; blocks < kRacesPerDay;) {
    c.scan({texts().dai}, 1000);
    if (c.atEnd()) break;
    const std::size_t s = c.pos();
    const auto head = c.bytes(28);
    if (!head) break;
    const std::string_view h = *head;
    const int kai = oneDigit(h.substr(0, 2)), nichi = oneDigit(h.substr(12, 2)), r = raceNumberOf(h.substr(24, 4));
    // A "第" that starts no race head (its digits are not full-width digits) is passed over.
    if (kai == 0 || nichi == 0 || r == 0) {
      c.seek(s);
      continue;
    }
    if (kai != key.kai() || h.substr(4, 4) != course || nichi != key.nichi()) {
      // Another meeting, or a text that is not what it seems: nothing of it is kept.
      out.mismatch = true;
      return out;
    }
    ++blocks;
    RaceRecord& race = races[static_cast<std::size_t>(r - 1)];
    const RaceRecord before = race;
    readFinishers(c, race);
    if (readSections(c, s, race) == Outcome::Ok) {
      out.read.push_back(r);
    } else {
      race = before;
      out.errors.push_back(r);
    }
  }
  return out;
}

}  // namespace tovra
