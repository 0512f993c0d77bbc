// The payout search over all bet types: the record's 16 payouts and the winning
// combinations of 馬単, 3連複 and 3連単 in the bet store (dead heats, payouts up to nine
// digits), against a model that reads every day by hand and filters its payouts; the
// 高額指定 input; the lines of the new types.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "features/bets/race_bets.hpp"
#include "features/search/search_engine.hpp"
#include "features/search/search_files.hpp"
#include "features/search/search_input.hpp"
#include "features/search/search_list.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::search;
using tovra::testing::LedgerBuilder;

namespace {

// One line of a result list: where the race is, which payout slot, the payout.
using Found = std::tuple<std::string, int, int, int, int, std::int32_t>;

class PayoutSearchAllTypes : public ::testing::Test {
 protected:
  // One ledger for the suite: every change of the store is synced to the disk.
  static inline std::unique_ptr<LedgerBuilder> shared;
  LedgerBuilder& ledger = *shared;

  static void SetUpTestSuite() {
    shared = std::make_unique<LedgerBuilder>(std::vector<int>{2005, 2004});
    fill(*shared);
  }
  static void TearDownTestSuite() { shared.reset(); }

  // Random record payouts and states, and store lines, winners (dead heats among them),
  // scratches and big payouts, on two days of two courses a year; one store race is
  // of a date without a meeting.
  static void fill(LedgerBuilder& ledger) {
    std::mt19937 rng(26);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    BetStore store(ledger.root());
    static constexpr std::int64_t kBig[] = {99990, 123450, 1234560, 29832950, 14916520, 999999990};
    for (int year : {2004, 2005}) {
      for (int course : {0, 4}) {
        std::vector<KaisaiRecord> days;
        std::vector<RaceBlock> blocks;
        for (int i = 0; i < 2; ++i) {
          KaisaiRecord k = tovra::testing::meetingDayCodes(100 * (i + 1) + 3 + course, 101 + i);
          RaceBlock races{};
          for (int r = 0; r < kRacesPerDay; ++r) {
            static constexpr std::uint16_t kStates[] = {0, 1, 2, 11, 12};
            k.raceJoutai[r] = kStates[pick(0, 4)];
            setFixedText(k.raceMei[r], sj("ﾚｰｽ" + std::to_string(r + 1)));
            RaceRecord& x = races[static_cast<std::size_t>(r)];
            for (int s = 0; s < 4; ++s) {
              x.fukuHaitou[s] = pick(0, 3) ? 10 * pick(10, 300) : 0;
              x.fukuKeka[s] = static_cast<std::uint16_t>(100 * pick(0, 1) + pick(1, 8));
            }
            for (int s = 0; s < 2; ++s) {
              x.tanHaitou[s] = 10 * pick(10, 2000);
              x.tanKeka[s] = static_cast<std::uint16_t>(100 * pick(0, 1) + pick(1, 8));
              x.umaHaitou[s] = 10 * pick(50, 3000);
              x.umaKeka[s] = static_cast<std::uint16_t>(10000 * pick(0, 1) + 102);
            }
            for (int s = 0; s < 6; ++s) {
              x.wideHaitou[s] = pick(0, 1) ? 10 * pick(10, 2000) : 0;
              x.wideKeka[s] = static_cast<std::uint16_t>(10000 * pick(0, 1) + 103);
            }
          }
          days.push_back(k);
          blocks.push_back(races);
          // The store's rows of the day.
          for (int r = 1; r <= kRacesPerDay; ++r) {
            const RaceKey rk{{year, course, k.month(), k.day()}, r};
            if (pick(0, 1) == 0) continue;
            const auto add = [&](const StoredLine& l) { ASSERT_TRUE(store.addLine(rk, l)); };
            const auto win = [&](const StoredWinner& w) { ASSERT_TRUE(store.addWinner(rk, w)); };
            if (pick(0, 1)) add(storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3, 4}, 1), 24));
            if (pick(0, 1))
              add(storedLineOf(PurchaseLine::nagashi(NewBetType::Sanrenpuku, {1}, {2, 3, 5}, false, 2), 3));
            if (pick(0, 1)) add(storedLineOf(PurchaseLine::normal(NewBetType::Umatan, {2, 1}, 3), 1));
            // 3連単: one winner, or a dead heat for second.
            const int third = pick(3, 5);
            win({2, {1, 2, third}, kBig[pick(0, 5)]});
            if (pick(0, 1)) win({2, {1, third, 2}, kBig[pick(0, 5)]});
            if (pick(0, 1)) win({1, {third, 1, 2}, 10 * pick(100, 90000)});
            if (pick(0, 1)) win({0, {pick(1, 2), 3}, 10 * pick(30, 20000)});
            if (pick(0, 3) == 0) {
              ASSERT_TRUE(store.setSpecial(rk, 0, 70));
            }
            if (pick(0, 3) == 0) {
              ASSERT_TRUE(store.setScratch(rk, {pick(1, 5)}, {}));
            }
          }
        }
        ledger.setMeetings(year, course, days, blocks);
      }
    }
    // A date without a meeting: listed nowhere.
    ASSERT_TRUE(store.addWinner({{2005, 0, 12, 30}, 1}, {2, {1, 2, 3}, 5000000}));
  }

  // Every payout of the years that the search takes, read day by day: the record's slots
  // of a race taking part, then the store's winners of each type in the order entered, a
  // winner hit when a line of its type holds it as a point without a scratched horse.
  std::vector<Found> model(const std::vector<int>& years, const PayoutRange& range, bool hitOnly) {
    LedgerCursor ds = ledger.open();
    BetStore store(ledger.root());
    std::vector<Found> out;
    const auto take = [&](std::int64_t payout) {
      if (range.manbaken) return payout >= 10000;
      return range.lower <= payout && payout <= range.upper;
    };
    for (int year : years) {
      const std::string y = std::to_string(year);
      for (int course = 0; course < kCourseCount; ++course) {
        const auto meetings = ds.ledger().meetings(y, course);
        if (!meetings) continue;
        for (int m = 0; m < static_cast<int>(meetings->size()); ++m) {
          const auto day = ds.ledger().readDay({y, course, m});
          const KaisaiRecord& k = day->meeting;
          for (int r = 0; r < kRacesPerDay; ++r) {
            const int joutai = k.raceJoutai[r];
            const RaceRecord& x = day->races[static_cast<std::size_t>(r)];
            if (joutai % 10 != 0 && (!hitOnly || joutai / 10 == 1)) {
              std::vector<std::pair<std::int32_t, bool>> slots;
              for (int s = 0; s < 4; ++s) slots.push_back({x.fukuHaitou[s], x.fukuKeka[s] / 100 == 1});
              for (int s = 0; s < 2; ++s) slots.push_back({x.tanHaitou[s], x.tanKeka[s] / 100 == 1});
              for (int s = 0; s < 2; ++s) slots.push_back({x.wakuHaitou[s], x.wakuKeka[s] / 100 == 1});
              for (int s = 0; s < 2; ++s) slots.push_back({x.umaHaitou[s], x.umaKeka[s] / 10000 == 1});
              for (int s = 0; s < 6; ++s) slots.push_back({x.wideHaitou[s], x.wideKeka[s] / 10000 == 1});
              for (int s = 0; s < 16; ++s)
                if (take(slots[std::size_t(s)].first) && (!hitOnly || slots[std::size_t(s)].second))
                  out.emplace_back(y, course, m, r, s, slots[std::size_t(s)].first);
            }
            const auto stored = store.race({{year, course, k.month(), k.day()}, r + 1});
            for (int t = 0; t < 3; ++t)
              for (const StoredWinner& w : stored->winners) {
                if (w.type != t) continue;
                bool hit = false;
                for (const StoredLine& l : stored->lines) {
                  if (l.type != t) continue;
                  for (Combination c : expandPoints(purchaseLineOf(l))) {
                    Combination want = w.combo;
                    if (t == 1) {
                      std::sort(c.begin(), c.end());
                      std::sort(want.begin(), want.end());
                    }
                    bool scratched = false;
                    for (int h : c)
                      for (int s : stored->scratched) scratched = scratched || (h != 0 && h == s);
                    hit = hit || (c == want && !scratched);
                  }
                }
                if (take(w.payout) && (!hitOnly || hit))
                  out.emplace_back(y, course, m, r, 16 + t, static_cast<std::int32_t>(w.payout));
              }
          }
        }
      }
    }
    return out;
  }

  std::vector<Found> found(LedgerCursor& ds) {
    std::vector<Found> out;
    forEachKekaRecord(ds, [&](const KekaRecord& r, const HaitouNote* note) {
      EXPECT_NE(note, nullptr);
      out.emplace_back(fixedText(r.yearText), r.course, r.meeting, r.race, note ? note->slot : -1,
                       note ? note->payout : -1);
    });
    return out;
  }
};

struct SearchCase {
  const char* name;
  PayoutRange range;
  bool hitOnly;
  int year;  // 0: every year
};

TEST_F(PayoutSearchAllTypes, EveryPayoutOfEveryTypeAsTheModelFindsIt) {
  const SearchCase cases[] = {
      {"万馬券", {true, 0, 0}, false, 0},
      {"万馬券 hit only", {true, 0, 0}, true, 0},
      {"every payout", {false, 100, kPayoutSearchMax}, false, 0},
      {"every payout hit only", {false, 100, kPayoutSearchMax}, true, 0},
      {"十万馬券", {false, 100000, kPayoutSearchMax}, false, 0},
      {"百万馬券 of 2005", {false, 1000000, kPayoutSearchMax}, false, 2005},
      {"the top payout alone", {false, 999999990, 999999990}, false, 0},
      {"small payouts of 2004", {false, 100, 500}, false, 2004},
      {"small payouts hit only", {false, 100, 500}, true, 0},
  };
  LedgerCursor ds = ledger.open();
  BetStore store(ledger.root());
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPort port;
    SearchParams p;
    p.type = SearchType::Haitou;
    p.payout = c.range;
    p.hitOnly = c.hitOnly;
    p.range = c.year ? tally::TallyRange::oneYear(c.year) : tally::TallyRange::all();
    const auto n = runSearch(ds, port, p, &store);
    ASSERT_TRUE(n.has_value());
    const std::vector<int> years = c.year ? std::vector<int>{c.year} : std::vector<int>{2005, 2004};
    const std::vector<Found> want = model(years, c.range, c.hitOnly);
    EXPECT_EQ(found(ds), want);
    EXPECT_EQ(*n, static_cast<int>(want.size()));
    EXPECT_TRUE(port.messages.empty());
  }
}

TEST_F(PayoutSearchAllTypes, TheModelFindsNewTypesAtAll) {
  // The random ledger holds what the cases above are about.
  const auto all = model({2005, 2004}, {false, 1000000, kPayoutSearchMax}, false);
  EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const Found& f) { return std::get<4>(f) == 18; }));
  const auto hits = model({2005, 2004}, {false, 100, kPayoutSearchMax}, true);
  EXPECT_TRUE(std::any_of(hits.begin(), hits.end(), [](const Found& f) { return std::get<4>(f) >= 16; }));
}

TEST_F(PayoutSearchAllTypes, WithoutTheStoreOnlyTheRecordsPayouts) {
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  SearchParams p;
  p.type = SearchType::Haitou;
  p.payout = {false, 100, kPayoutSearchMax};
  ASSERT_TRUE(runSearch(ds, port, p));
  const auto list = found(ds);
  EXPECT_FALSE(list.empty());
  EXPECT_TRUE(std::all_of(list.begin(), list.end(), [](const Found& f) { return std::get<4>(f) < 16; }));
  EXPECT_EQ(readKekaList(ds)->summary, "検索範囲： 全データ       \n\n検索配当金額： 100円 ～ 999999999円\n\n " +
                                           std::to_string(list.size()) + "個のﾃﾞｰﾀが見つかりました。");
}

TEST(PayoutSearchLines, NewTypesShowTheirNameAndNineDigits) {
  KekaRecord r;
  setFixedText(r.yearText, "2012");
  setFixedText(r.name, sj("3歳未勝利"));
  r.course = 3;
  r.month = 8;
  r.day = 4;
  r.kai = 2;
  r.nichi = 3;
  r.race = 4;
  const struct {
    HaitouNote note;
    const char* line;
  } cases[] = {
      {{18, 29832950}, "2012年 8月 4日 新潟  2回 3日目  5R 3連単  29832950円 3歳未勝利"},
      {{18, 999999990}, "2012年 8月 4日 新潟  2回 3日目  5R 3連単 999999990円 3歳未勝利"},
      {{17, 12340}, "2012年 8月 4日 新潟  2回 3日目  5R 3連複     12340円 3歳未勝利"},
      {{16, 1230}, "2012年 8月 4日 新潟  2回 3日目  5R 馬単       1230円 3歳未勝利"},
      // The record's slots as they always were.
      {{10, 1230}, "2012年 8月 4日 新潟  2回 3日目  5R ﾜｲﾄﾞ   1230円 3歳未勝利"},
      {{19, 1230}, "2012年 8月 4日 新潟  2回 3日目  5R            1230円 3歳未勝利"},
  };
  for (const auto& c : cases) EXPECT_EQ(kekaLine(r, &c.note), c.line) << c.note.slot;
}

TEST(PayoutSearchInput, YenRangesUpToNineDigits) {
  const struct {
    const char* lower;
    const char* upper;
    std::optional<std::pair<int, int>> range;
    const char* message;
  } cases[] = {
      {"1000000", "999999999", std::pair{1000000, 999999999}, ""},
      {"100", "100", std::pair{100, 100}, ""},
      {"100000", "100000000", std::pair{100000, 100000000}, ""},
      {"", "999999999", std::nullopt, kAmountMissing},
      {"99", "999999999", std::nullopt, kAmountBad},
      {"1000", "", std::nullopt, kAmountMissing},
      {"2000000", "1000000", std::nullopt, kAmountBad},       // min above max
      {"1000000000", "999999999", std::nullopt, kAmountBad},  // ten digits
      {"100", "1000000000", std::nullopt, kAmountBad},
      {"1e5", "999999999", std::nullopt, kAmountBad},
      {"-100", "999999999", std::nullopt, kAmountBad},
  };
  for (const auto& c : cases) {
    ScriptedPort port;
    const auto got = acceptPayoutYen(port, c.lower, c.upper);
    SCOPED_TRACE(std::string(c.lower) + " " + c.upper);
    if (c.range) {
      ASSERT_TRUE(got.has_value());
      EXPECT_FALSE(got->manbaken);
      EXPECT_EQ(got->lower, c.range->first);
      EXPECT_EQ(got->upper, c.range->second);
      EXPECT_TRUE(port.messages.empty());
    } else {
      EXPECT_FALSE(got.has_value());
      ASSERT_EQ(port.messages.size(), 1u);
      EXPECT_EQ(port.messages[0].text, c.message);
      EXPECT_EQ(port.messages[0].title, "確認");
    }
  }
}

}  // namespace

namespace {

// A store that cannot be read is shown as its message; the search lists the record's
// payouts all the same.
TEST(PayoutSearchDamagedStore, ShowsTheMessageAndListsTheRecordsPayouts) {
  LedgerBuilder ledger{{2001}};
  KaisaiRecord k = tovra::testing::meetingDayCodes(1203, 308);
  RaceBlock races{};
  k.raceJoutai[0] = 1;
  races[0].tanHaitou[0] = 12340;
  ledger.setMeetings(2001, 4, {k}, {races});
  ledger.write(kBetStorePath, std::vector<std::uint8_t>(4096, 0x5a));
  LedgerCursor ds = ledger.open();
  BetStore store(ledger.root());
  ScriptedPort port;
  SearchParams p;
  p.type = SearchType::Haitou;
  p.payout = {true, 0, 0};
  ASSERT_EQ(runSearch(ds, port, p, &store), 1);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_NE(port.messages[0].text.find("bets.sqlite"), std::string::npos) << port.messages[0].text;
  EXPECT_EQ(readKekaList(ds)->lines,
            std::vector<std::string>{"2001年12月 3日 東京  3回 8日目  1R 単勝  12340円 "});
}

}  // namespace
