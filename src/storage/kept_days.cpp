#include "storage/kept_days.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tovra {
namespace {

constexpr std::size_t kHeader = 5;
constexpr std::size_t kTypeBytes = 3 * 8 + 1;
constexpr std::size_t kDayBytes = 4 + 3 * kTypeBytes;
constexpr std::size_t kScratchBytes = 1 + 4 + 2;
constexpr std::size_t kRaceBytes = 3 + 2 + 4 + 2 + kTypeBytes;

void put(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint64_t get(std::string_view in, std::size_t& at, int bytes) {
  if constexpr (std::endian::native == std::endian::little) {
    if (bytes == 8) {  // the figures: read as they lie
      std::uint64_t v;
      std::memcpy(&v, in.data() + at, 8);
      at += 8;
      return v;
    }
  }
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint64_t{static_cast<unsigned char>(in[at++])} << (8 * i);
  return v;
}

// Whether a set holds numbers from 1 to `last` alone.
bool within(std::uint32_t set, int last) { return (set & ~(((1u << (last + 1)) - 1u) & ~1u)) == 0; }

void putFigures(std::string& out, const KeptTypeFigures& t) {
  put(out, static_cast<std::uint64_t>(t.bought), 8);
  put(out, static_cast<std::uint64_t>(t.refunded), 8);
  put(out, static_cast<std::uint64_t>(t.ret), 8);
  put(out, t.hit ? 1 : 0, 1);
}

bool getFigures(std::string_view in, std::size_t& at, KeptTypeFigures& t) {
  t.bought = static_cast<std::int64_t>(get(in, at, 8));
  t.refunded = static_cast<std::int64_t>(get(in, at, 8));
  t.ret = static_cast<std::int64_t>(get(in, at, 8));
  const auto hit = get(in, at, 1);
  t.hit = hit == 1;
  return hit <= 1;
}

bool getScratchMasks(std::string_view in, std::size_t& at, KeptScratch& s) {
  s.horses = static_cast<std::uint32_t>(get(in, at, 4));
  s.frames = static_cast<std::uint16_t>(get(in, at, 2));
  return within(s.horses, 18) && within(s.frames, 8);
}

}  // namespace

std::uint32_t numberSet(const std::vector<int>& numbers) {
  std::uint32_t set = 0;
  for (const int n : numbers)
    if (n >= 1 && n <= 31) set |= 1u << n;
  return set;
}

std::vector<int> numbersIn(std::uint32_t set) {
  std::vector<int> out;
  for (int n = 1; n <= 31; ++n)
    if (set & (1u << n)) out.push_back(n);
  return out;
}

std::string encodeKeptDays(const std::vector<KeptDay>& days) {
  std::string out;
  out.reserve(kHeader + days.size() * kDayBytes);
  put(out, kKeptDaysFormat, 1);
  put(out, days.size(), 4);
  for (const KeptDay& d : days) {
    put(out, static_cast<std::uint64_t>(d.date.course), 1);
    put(out, static_cast<std::uint64_t>(d.date.month), 1);
    put(out, static_cast<std::uint64_t>(d.date.day), 1);
    put(out, d.scratches.size(), 1);
    for (const KeptTypeFigures& t : d.types) putFigures(out, t);
    for (const KeptScratch& s : d.scratches) {
      put(out, static_cast<std::uint64_t>(s.race), 1);
      put(out, s.horses, 4);
      put(out, s.frames, 2);
    }
  }
  return out;
}

std::optional<std::vector<KeptDay>> decodeKeptDays(int year, std::string_view blob) {
  std::vector<KeptDay> days;
  if (!appendKeptDays(year, blob, days)) return std::nullopt;
  return days;
}

bool appendKeptDays(int year, std::string_view blob, std::vector<KeptDay>& days) {
  const std::size_t before = days.size();
  const auto fail = [&] {
    days.resize(before);
    return false;
  };
  if (blob.size() < kHeader || static_cast<unsigned char>(blob[0]) != kKeptDaysFormat) return false;
  std::size_t at = 1;
  const std::uint64_t count = get(blob, at, 4);
  if (count > (blob.size() - kHeader) / kDayBytes) return false;
  // Year after year into one vector: grown geometrically, not by each year's days.
  if (days.capacity() < before + count) days.reserve(std::max<std::size_t>(before + count, 2 * days.capacity()));
  for (std::uint64_t i = 0; i < count; ++i) {
    if (blob.size() - at < kDayBytes) return fail();
    KeptDay d;
    d.date.year = year;
    d.date.course = static_cast<int>(get(blob, at, 1));
    d.date.month = static_cast<int>(get(blob, at, 1));
    d.date.day = static_cast<int>(get(blob, at, 1));
    const auto scratches = static_cast<std::size_t>(get(blob, at, 1));
    if (d.date.course > 9 || d.date.month < 1 || d.date.month > 12 || d.date.day < 1 || d.date.day > 31)
      return fail();
    if (days.size() > before && !(days.back().date < d.date)) return fail();
    for (KeptTypeFigures& t : d.types)
      if (!getFigures(blob, at, t)) return fail();
    if (scratches > 12 || blob.size() - at < scratches * kScratchBytes) return fail();
    for (std::size_t k = 0; k < scratches; ++k) {
      KeptScratch s;
      s.race = static_cast<int>(get(blob, at, 1));
      if (!getScratchMasks(blob, at, s) || s.race < 1 || s.race > 12) return fail();
      if (!d.scratches.empty() && d.scratches.back().race >= s.race) return fail();
      d.scratches.push_back(std::move(s));
    }
    days.push_back(std::move(d));
  }
  if (at != blob.size()) return fail();
  return true;
}

std::string encodeKeptRaces(const std::vector<KeptRaceFigures>& races) {
  std::string out;
  out.reserve(kHeader + races.size() * kRaceBytes);
  put(out, kKeptDaysFormat, 1);
  put(out, races.size(), 4);
  for (const KeptRaceFigures& r : races) {
    put(out, static_cast<std::uint64_t>(r.month), 1);
    put(out, static_cast<std::uint64_t>(r.day), 1);
    put(out, static_cast<std::uint64_t>(r.scratch.race), 1);
    put(out, static_cast<std::uint64_t>(r.index), 2);
    put(out, r.scratch.horses, 4);
    put(out, r.scratch.frames, 2);
    putFigures(out, r.figures);
  }
  return out;
}

std::optional<std::vector<KeptRaceFigures>> decodeKeptRaces(std::string_view blob) {
  if (blob.size() < kHeader || static_cast<unsigned char>(blob[0]) != kKeptDaysFormat) return std::nullopt;
  std::size_t at = 1;
  const std::uint64_t count = get(blob, at, 4);
  if (blob.size() - kHeader != count * kRaceBytes) return std::nullopt;
  std::vector<KeptRaceFigures> races(static_cast<std::size_t>(count));
  for (KeptRaceFigures& r : races) {
    r.month = static_cast<int>(get(blob, at, 1));
    r.day = static_cast<int>(get(blob, at, 1));
    r.scratch.race = static_cast<int>(get(blob, at, 1));
    r.index = static_cast<int>(get(blob, at, 2));
    if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > 31 || r.scratch.race < 1 || r.scratch.race > 12)
      return std::nullopt;
    if (!getScratchMasks(blob, at, r.scratch) || !getFigures(blob, at, r.figures)) return std::nullopt;
  }
  return races;
}

}  // namespace tovra
