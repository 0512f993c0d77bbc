#include "domain/bet_points.hpp"

#include <algorithm>
#include <bitset>
#include <utility>

namespace tovra {

namespace {

// A formation: the horses each finishing place may take.
using Places = std::array<Horses, 3>;

Refusal refuse(const char* text) { return Refusal{MsgIcon::Error, text}; }

bool contains(const Horses& h, int horse) { return std::find(h.begin(), h.end(), horse) != h.end(); }

// Every line is a union of formations: 通常 one of single horses, ﾎﾞｯｸｽ the members at
// every place, 流し the axis at its places and the partners at the others.
std::vector<Places> formationsOf(const PurchaseLine& line) {
  // Ascending sets give a formation's tuples in ascending order already; the order of a
  // combination and of the axis is what the user bought and stays.
  Places s = line.sets;
  const bool ordered0 = line.method == BetMethod::Normal || line.method == BetMethod::Nagashi;
  for (std::size_t i = ordered0 ? 1 : 0; i < 3; ++i) std::sort(s[i].begin(), s[i].end());
  const int size = pointSize(line.type);
  switch (line.method) {
    case BetMethod::Normal: {
      Places p;
      for (std::size_t i = 0; i < s[0].size() && i < 3; ++i) p[i] = {s[0][i]};
      return {p};
    }
    case BetMethod::Box: return {{s[0], s[0], s[0]}};
    case BetMethod::Formation: return {s};
    case BetMethod::Nagashi: break;
  }
  // 流し: (place of axis[0], place of axis[1]) for each arrangement, places counted from 0.
  if (s[0].empty() || s[0].size() > 2) return {};
  const bool twoAxes = s[0].size() == 2;
  std::vector<std::pair<int, int>> at;
  if (line.type == NewBetType::Sanrenpuku) {
    at.emplace_back(0, 1);
  } else if (!line.multi) {
    at.emplace_back(line.places[0] - 1, line.places[1] - 1);
  } else {  // マルチ: every place, or every two places in either order
    for (int p = 0; p < size; ++p) {
      if (!twoAxes) at.emplace_back(p, 0);
      for (int q = 0; twoAxes && q < size; ++q)
        if (q != p) at.emplace_back(p, q);
    }
  }
  std::vector<Places> out;
  for (auto [p, q] : at) {
    if (p < 0 || p >= size || (twoAxes && (q < 0 || q >= size || q == p))) continue;
    Places f{s[1], s[1], s[1]};
    f[static_cast<std::size_t>(p)] = {s[0][0]};
    if (twoAxes) f[static_cast<std::size_t>(q)] = {s[0][1]};
    out.push_back(std::move(f));
  }
  return out;
}

// Calls fn(combination) for each tuple of a formation with no horse twice (3連複 sorted;
// the same set may come more than once).
template <class Fn>
void eachTuple(NewBetType t, const Places& f, Fn&& fn) {
  for (int a : f[0])
    for (int b : f[1]) {
      if (b == a) continue;
      if (pointSize(t) == 2) {
        fn(Combination{a, b, 0});
        continue;
      }
      for (int c : f[2]) {
        if (c == a || c == b) continue;
        Combination k{a, b, c};
        if (!isOrdered(t)) std::sort(k.begin(), k.end());
        fn(k);
      }
    }
}

int formationCount(const PurchaseLine& line) {
  int n = 0;
  if (isOrdered(line.type)) {
    eachTuple(line.type, line.sets, [&](const Combination&) { ++n; });
    return n;
  }
  constexpr int kSide = kMaxHorse + 1;
  std::bitset<kSide * kSide * kSide> seen;
  eachTuple(line.type, line.sets, [&](const Combination& k) {
    const auto key = static_cast<std::size_t>((k[0] * kSide + k[1]) * kSide + k[2]);
    if (!seen.test(key)) {
      seen.set(key);
      ++n;
    }
  });
  return n;
}

// The rules of each method, once the horses are in range and no set holds one twice.
const char* methodRefusal(const PurchaseLine& line) {
  const auto& s = line.sets;
  const int size = pointSize(line.type);
  const auto n0 = static_cast<int>(s[0].size());
  const auto n1 = static_cast<int>(s[1].size());
  const int used = line.method == BetMethod::Nagashi ? 2 : line.method == BetMethod::Formation ? size : 1;
  for (int i = used; i < 3; ++i)
    if (!s[static_cast<std::size_t>(i)].empty()) return msg::kLineSetsBad;
  switch (line.method) {
    case BetMethod::Normal:
      if (n0 != size) return size == 2 ? msg::kLineCombo2 : msg::kLineCombo3;
      return nullptr;
    case BetMethod::Box:
      if (n0 < size) return size == 2 ? msg::kLineBox2 : msg::kLineBox3;
      return nullptr;
    case BetMethod::Formation:
      for (int i = 0; i < size; ++i)
        if (s[static_cast<std::size_t>(i)].empty()) return msg::kLineFormation;
      return nullptr;
    case BetMethod::Nagashi: break;
  }
  if (line.type == NewBetType::Umatan ? n0 != 1 : n0 < 1 || n0 > 2)
    return line.type == NewBetType::Umatan ? msg::kLineAxis1 : msg::kLineAxis12;
  for (int h : s[0])
    if (contains(s[1], h)) return msg::kLineAxisPartner;
  const int needed = size - n0;  // partners in one point
  if (n1 < needed) return needed == 1 ? msg::kLinePartner1 : msg::kLinePartner2;
  if (line.multi && line.type == NewBetType::Sanrenpuku) return msg::kLineMulti;
  if (isOrdered(line.type) && !line.multi) {
    for (int i = 0; i < n0; ++i)
      if (line.places[static_cast<std::size_t>(i)] < 1 || line.places[static_cast<std::size_t>(i)] > size)
        return msg::kLinePlace;
    if (n0 == 2 && line.places[0] == line.places[1]) return msg::kLinePlace;
  }
  return nullptr;
}

}  // namespace

const char* newBetTypeName(NewBetType t) {
  switch (t) {
    case NewBetType::Umatan: return "馬単";
    case NewBetType::Sanrenpuku: return "3連複";
    case NewBetType::Sanrentan: return "3連単";
  }
  return "";
}

const char* newBetTypeAscii(NewBetType t) {
  switch (t) {
    case NewBetType::Umatan: return "umatan";
    case NewBetType::Sanrenpuku: return "sanrenpuku";
    case NewBetType::Sanrentan: return "sanrentan";
  }
  return "";
}

const char* betMethodName(BetMethod m) {
  switch (m) {
    case BetMethod::Normal: return "通常";
    case BetMethod::Box: return "ﾎﾞｯｸｽ";
    case BetMethod::Nagashi: return "流し";
    case BetMethod::Formation: return "ﾌｫｰﾒｰｼｮﾝ";
  }
  return "";
}

PurchaseLine PurchaseLine::normal(NewBetType t, Horses combo, int stake) {
  PurchaseLine l;
  l.type = t;
  l.method = BetMethod::Normal;
  l.sets[0] = std::move(combo);
  l.stake = stake;
  return l;
}

PurchaseLine PurchaseLine::box(NewBetType t, Horses members, int stake) {
  PurchaseLine l = normal(t, std::move(members), stake);
  l.method = BetMethod::Box;
  return l;
}

PurchaseLine PurchaseLine::nagashi(NewBetType t, Horses axis, Horses partners, bool multi, int stake,
                                   std::array<int, 2> places) {
  PurchaseLine l = normal(t, std::move(axis), stake);
  l.method = BetMethod::Nagashi;
  l.sets[1] = std::move(partners);
  l.multi = multi;
  l.places = places;
  return l;
}

PurchaseLine PurchaseLine::formation(NewBetType t, Horses first, Horses second, Horses third, int stake) {
  PurchaseLine l = normal(t, std::move(first), stake);
  l.method = BetMethod::Formation;
  l.sets[1] = std::move(second);
  l.sets[2] = std::move(third);
  return l;
}

Result<int> checkLine(const PurchaseLine& line) {
  for (const Horses& set : line.sets) {
    for (std::size_t i = 0; i < set.size(); ++i) {
      if (set[i] < 1 || set[i] > kMaxHorse) return refuse(msg::kLineHorseRange);
      if (std::find(set.begin(), set.begin() + static_cast<std::ptrdiff_t>(i), set[i]) !=
          set.begin() + static_cast<std::ptrdiff_t>(i))
        return refuse(msg::kLineHorseTwice);
    }
  }
  if (const char* why = methodRefusal(line)) return refuse(why);
  const int points = pointCount(line);
  if (points == 0) return refuse(msg::kLineNoPoint);
  // No line of distinct horses 1-18 comes above 4896 points; the limit holds all the same.
  if (points > kMaxLinePoints) return refuse(msg::kLineTooMany);
  if (line.stake <= 0) return refuse(msg::kLineStakeMissing);
  if (line.stake > kMaxPointStake) return refuse(msg::kLineStakeTooLarge);
  return points;
}

std::vector<Combination> expandPoints(const PurchaseLine& line) {
  std::vector<Combination> out;
  out.reserve(static_cast<std::size_t>(pointCount(line)));
  for (const Places& f : formationsOf(line)) eachTuple(line.type, f, [&](const Combination& k) { out.push_back(k); });
  if (!std::is_sorted(out.begin(), out.end())) std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

int pointCount(const PurchaseLine& line) {
  const auto n = static_cast<int>(line.sets[0].size());
  const auto k = static_cast<int>(line.sets[1].size());
  switch (line.method) {
    case BetMethod::Normal: return 1;
    case BetMethod::Box:
      switch (line.type) {
        case NewBetType::Umatan: return n * (n - 1);
        case NewBetType::Sanrenpuku: return n * (n - 1) * (n - 2) / 6;
        case NewBetType::Sanrentan: return n * (n - 1) * (n - 2);
      }
      return 0;
    case BetMethod::Formation: return formationCount(line);
    case BetMethod::Nagashi: break;
  }
  switch (line.type) {
    case NewBetType::Umatan: return line.multi ? 2 * k : k;
    case NewBetType::Sanrenpuku: return n == 1 ? k * (k - 1) / 2 : k;
    case NewBetType::Sanrentan:
      if (n == 1) return line.multi ? 3 * k * (k - 1) : k * (k - 1);
      return line.multi ? 6 * k : k;
  }
  return 0;
}

}  // namespace tovra
