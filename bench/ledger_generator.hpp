#pragma once
// A generated ledger for the benchmarks: `years` registered years (newest first in
// main.dat) of `daysPerYear` meeting days spread over the ten courses, every day with
// twelve races carrying race items, tickets of every bet type and results, settled as the
// program settles them. Deterministic for a given seed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "domain/settlement.hpp"
#include "storage/paths.hpp"
#include "storage/records.hpp"
#include "storage/text.hpp"

namespace tovra::bench {

class Rng {
 public:
  explicit Rng(std::uint64_t seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
  std::uint32_t next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return static_cast<std::uint32_t>(s_ >> 11);
  }
  int in(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1)); }
  bool chance(int percent) { return in(1, 100) <= percent; }

 private:
  std::uint64_t s_;
};

inline std::uint16_t pair100(int a, int b) { return static_cast<std::uint16_t>(a < b ? a * 100 + b : b * 100 + a); }

// One race: items, distance, results and (for about two races in three) tickets, some on
// the results.
inline void generateRace(Rng& g, RaceRecord& x) {
  static const int kDistances[] = {1000, 1150, 1200, 1400, 1500, 1600, 1700, 1800,
                                   2000, 2200, 2400, 2500, 3000, 3200, 3600};
  if (!g.chance(8))
    x.koumoku = static_cast<std::uint32_t>(g.in(1, 4) * 10000000 + g.in(1, 13) * 100000 + g.in(1, 7) * 10000 +
                                           g.in(1, 3) * 1000 + g.in(1, 4) * 100 + g.in(1, 3) * 10 + g.in(1, 4));
  x.kyori = static_cast<std::uint16_t>(kDistances[g.in(0, 14)]);
  const int runners = g.in(8, 18);
  const int first = g.in(1, runners), second = first % runners + 1, third = second % runners + 1;
  auto bracket = [&](int h) { return (h - 1) * 8 / runners + 1; };
  x.tanKeka[0] = static_cast<std::uint16_t>(first);
  // Payouts mostly small, now and then large.
  auto payout = [&](int lo, int hi) { return g.chance(90) ? g.in(lo, lo * 6) * 10 : g.in(lo, hi) * 10; };
  x.tanHaitou[0] = payout(11, 1000);
  const int placed[3] = {first, second, third};
  for (int i = 0; i < 3; ++i) {
    x.fukuKeka[i] = static_cast<std::uint16_t>(placed[i]);
    x.fukuHaitou[i] = payout(10, 200);
  }
  const int wa = bracket(first), wb = bracket(second);
  x.wakuKeka[0] = static_cast<std::uint16_t>(wa < wb ? wa * 10 + wb : wb * 10 + wa);
  x.wakuHaitou[0] = payout(20, 1500);
  x.umaKeka[0] = pair100(first, second);
  x.umaHaitou[0] = payout(30, 6000);
  x.wideKeka[0] = pair100(first, second);
  x.wideKeka[1] = pair100(first, third);
  x.wideKeka[2] = pair100(second, third);
  for (int i = 0; i < 3; ++i) x.wideHaitou[i] = payout(12, 2000);
  std::snprintf(x.chakuBamei[0], sizeof x.chakuBamei[0], "%s", sj("ﾄｳﾞﾗﾎｰｽ").c_str());

  if (!g.chance(65)) return;
  auto stake = [&] { return g.in(1, 20) * 100; };
  auto horse = [&](int hit) { return g.chance(hit) ? first : g.in(1, runners); };
  const int tan = g.in(0, 2), fuku = g.in(0, 2), waku = g.in(0, 3), uma = g.chance(70) ? g.in(1, 25) : 0,
            wide = g.in(0, 4);
  for (int t = 0; t < tan; ++t) x.tanUma[t] = static_cast<std::uint16_t>(horse(5)), x.tanGaku[t] = stake();
  for (int t = 0; t < fuku; ++t) x.fukuUma[t] = static_cast<std::uint16_t>(horse(10)), x.fukuGaku[t] = stake();
  for (int t = 0; t < waku; ++t) {
    const int a = g.in(1, 8), b = g.in(a, 8);
    x.wakuKumi[t] = static_cast<std::uint16_t>(a * 10 + b);
    x.wakuGaku[t] = stake();
  }
  for (int t = 0; t < uma; ++t) {
    const int a = horse(5);
    int b = g.chance(5) ? second : g.in(1, runners);
    if (b == a) b = a % runners + 1;
    x.umaKumi[t] = pair100(a, b);
    x.umaGaku[t] = stake();
  }
  for (int t = 0; t < wide; ++t) {
    const int a = horse(5);
    int b = g.chance(10) ? second : g.in(1, runners);
    if (b == a) b = a % runners + 1;
    x.wideKumi[t] = pair100(a, b);
    x.wideGaku[t] = stake();
  }
}

inline void writeFile(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Writes the ledger below root (main.dat, the data folders, tmp/) and returns the paths of
// its meeting and race files.
inline std::vector<std::filesystem::path> generateLedger(const std::filesystem::path& root, int years = 20,
                                                         int daysPerYear = 280, int newestYear = 2024,
                                                         std::uint64_t seed = 20240601) {
  namespace fs = std::filesystem;
  fs::create_directories(root / kTmpFolder);
  fs::create_directories(root / kShukeiFolder);
  for (int c = 0; c < kCourseCount; ++c) fs::create_directories(root / courseFolderPath(c));
  NenjiTable nenji;
  for (int i = 0; i < years && i < NenjiTable::kUsable; ++i) nenji.nen[i] = static_cast<std::uint16_t>(newestYear - i);
  std::vector<std::uint8_t> main(NenjiTable::kSize);
  nenji.encode(main.data());
  writeFile(root / kMainDat, main);

  Rng g(seed);
  std::vector<fs::path> files;
  for (int i = 0; i < years && i < NenjiTable::kUsable; ++i) {
    const std::string year = std::to_string(nenji.nen[i]);
    for (int c = 0; c < kCourseCount; ++c) {
      const int days = daysPerYear / kCourseCount + (c < daysPerYear % kCourseCount ? 1 : 0);
      std::vector<std::uint8_t> m((static_cast<std::size_t>(days) + 1) * KaisaiRecord::kSize, 0);
      std::vector<std::uint8_t> r((static_cast<std::size_t>(days) + 1) * kRaceBlockSize, 0);
      for (int d = 0; d < days; ++d) {
        KaisaiRecord k;
        k.tsukiHi = static_cast<std::uint16_t>((1 + d * 12 / days) * 100 + 1 + d % 28);
        k.kaiNichi = static_cast<std::uint16_t>((d / 8 + 1) * 100 + d % 8 + 1);
        RaceBlock races{};
        for (int x = 0; x < kRacesPerDay; ++x) {
          generateRace(g, races[static_cast<std::size_t>(x)]);
          setFixedText(k.raceMei[x], sj("ﾄｳﾞﾗ特別"));
        }
        settleAllRaces(k, races);
        k.encode(m.data() + static_cast<std::size_t>(d) * KaisaiRecord::kSize);
        for (int x = 0; x < kRacesPerDay; ++x)
          races[static_cast<std::size_t>(x)].encode(r.data() + static_cast<std::size_t>(d) * kRaceBlockSize +
                                                    static_cast<std::size_t>(x) * RaceRecord::kSize);
      }
      files.push_back(root / meetingFilePath(year, c));
      files.push_back(root / raceFilePath(year, c));
      writeFile(files[files.size() - 2], m);
      writeFile(files.back(), r);
    }
  }
  return files;
}

}  // namespace tovra::bench
