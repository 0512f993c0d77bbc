// WIN5 in the tallies: the type filter's ninth slot (names, texts, the bits the type work
// files hold, table-driven), WIN5 days in the type figures (only over every course, only
// in the all-course row), the income tally's files at literal offsets (tmp/shushi.tmp as
// without WIN5, tmp/shushisk.tmp's first bytes as before when no WIN5 exists), its view
// and its CSV.
#include <gtest/gtest.h>

#include <cstring>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "common/temp_dir.hpp"
#include "features/export/tally_csv.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/tally/tally_filter.hpp"
#include "features/tally/type_tally.hpp"
#include "storage/bet_store.hpp"
#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/win5_store.hpp"

using namespace tovra;
using namespace tovra::tally;
using namespace tovra::testing;

namespace {

const Clock kClock = [] { return StampTime{2026, 12, 10, 4, 30}; };

TEST(Win5Tally, TheNinthSlotIsWin5) {
  EXPECT_EQ(tallyTypeName(8), "WIN5");
  EXPECT_EQ(tallyTypeName(9), "");
  EXPECT_EQ(kAllTallyTypes, 0x1FFu);
  EXPECT_TRUE(TallyFilter{}.has(8));
  EXPECT_TRUE(TallyFilter{}.countsWin5());
}

struct TextCase {
  std::uint32_t types;
  int course;
  const char* text;
  bool countsWin5, empty, allOld;
};
class Win5FilterText : public ::testing::TestWithParam<TextCase> {};

TEST_P(Win5FilterText, NamesAndCounts) {
  const TextCase& c = GetParam();
  TallyFilter f;
  f.types = c.types;
  f.course = c.course;
  EXPECT_EQ(f.text(), c.text);
  EXPECT_EQ(f.countsWin5(), c.countsWin5);
  EXPECT_EQ(f.empty(), c.empty);
  EXPECT_EQ(f.allOld(), c.allOld);
}

INSTANTIATE_TEST_SUITE_P(Cases, Win5FilterText,
                         ::testing::Values(TextCase{0x1FF, -1, "全式別 全競馬場", true, false, true},
                                           TextCase{0x0FF, -1, "単勝 複勝 枠連 馬連 ﾜｲﾄﾞ 馬単 3連複 3連単 全競馬場",
                                                    false, false, true},
                                           TextCase{0x100, -1, "WIN5 全競馬場", true, false, false},
                                           TextCase{0x100, 4, "WIN5 東京", false, false, false},
                                           TextCase{0x181, -1, "単勝 3連単 WIN5 全競馬場", true, false, false},
                                           TextCase{0x1FF, 9, "全式別 小倉", false, false, true},
                                           TextCase{0x000, -1, " 全競馬場", false, true, false}));

// The type bits in the file: every nine as 0xFF (the bytes of a file of every type before
// WIN5), the other choices told apart.
struct BitsCase {
  std::uint32_t types, file;
};
class Win5TypeBits : public ::testing::TestWithParam<BitsCase> {};

TEST_P(Win5TypeBits, WrittenAndReadBack) {
  EXPECT_EQ(typeBitsForFile(GetParam().types), GetParam().file);
  EXPECT_EQ(typeBitsFromFile(GetParam().file), GetParam().types);
}

INSTANTIATE_TEST_SUITE_P(Cases, Win5TypeBits,
                         ::testing::Values(BitsCase{0x1FF, 0x0FF}, BitsCase{0x0FF, 0x2FF}, BitsCase{0x100, 0x100},
                                           BitsCase{0x085, 0x085}, BitsCase{0x185, 0x185}, BitsCase{0x000, 0x000},
                                           BitsCase{0x1FE, 0x1FE}, BitsCase{0x0FE, 0x0FE}));

// A ledger of two years without meetings and a store with three WIN5 days.
struct Win5Ledger {
  RunDir dir;
  LedgerCursor ds{dir.path()};
  BetStore store{dir.path()};
  ScriptedPort port;
  Win5Ledger() {
    makeLedger(ds, {2004, 2005});
    Win5Store win5(store);
    // 2005-06-05: 4 points of 200 yen, one hits at 5,000 per 100; leg 1's horse 2 scratched
    // (2 points refunded). 2005-06-12: 1 point of 100 yen, lost. 2004-06-05: 1 point of
    // 300 yen, lost.
    const struct {
      Win5Date date;
      std::array<std::vector<int>, kWin5LegCount> legs;
      int stake;
    } days[] = {{{2005, 6, 5}, {{{1, 2}, {3}, {4, 5}, {6}, {7}}}, 2},
                {{2005, 6, 12}, {{{1}, {1}, {1}, {1}, {1}}}, 1},
                {{2004, 6, 5}, {{{1}, {1}, {1}, {1}, {1}}}, 3}};
    for (const auto& d : days) {
      EXPECT_TRUE(win5.setLegs(d.date, {{{4, 10}, {7, 10}, {4, 11}, {7, 11}, {4, 12}}}));
      StoredWin5Line line;
      line.legs = d.legs;
      line.stake = d.stake;
      line.points = 1;
      for (const auto& l : d.legs) line.points *= static_cast<std::int64_t>(l.size());
      EXPECT_TRUE(win5.addLine(d.date, line));
    }
    EXPECT_TRUE(win5.setWinners({2005, 6, 5}, {{{1, 3, 5, 6, 7}, 5000}}));
    EXPECT_TRUE(win5.setScratch({2005, 6, 5}, 1, {2}));
  }
  std::vector<std::uint8_t> read(const char* logical) {
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(readWholeFile(ds.fs(), ds.resolve(logical), out));
    return out;
  }
};

TEST(Win5Tally, TypeFiguresCountWin5DaysInTheAllCourseRowOnly) {
  Win5Ledger l;
  const std::vector<std::string> years{"2004", "2005"};
  struct Case {
    const char* name;
    std::uint32_t types;
    int course, monthDay;
    std::vector<std::string> years;
    TypeCell win5;  // row 10, WIN5 and the chosen column alike
  };
  const Case cases[] = {
      {"every type", kAllTallyTypes, -1, 0, years, {1200, 400, 10000, 3, 1}},
      {"WIN5 alone", 1u << 8, -1, 0, years, {1200, 400, 10000, 3, 1}},
      {"one year", kAllTallyTypes, -1, 0, {"2005"}, {900, 400, 10000, 2, 1}},
      {"one day of each year", kAllTallyTypes, -1, 605, years, {1100, 400, 10000, 2, 1}},
      {"one course", kAllTallyTypes, 4, 0, years, {}},
      {"WIN5 left out", kRaceTallyTypes, -1, 0, years, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TallyFilter f;
    f.types = c.types;
    f.course = c.course;
    const auto got = typeTally(l.ds.ledger(), l.store, c.years, f, c.monthDay);
    ASSERT_TRUE(got);
    for (int row = 0; row < TypeTallyResult::kRows; ++row)
      for (int col = 0; col < kTypeCols; ++col) {
        const bool win5Cell = row == kAllCoursesRow && (col == kTallyWin5Slot || col == kChosenCol);
        EXPECT_EQ(got->cells[std::size_t(row)][std::size_t(col)], win5Cell ? c.win5 : TypeCell{}) << row << " " << col;
      }
  }
}

TEST(Win5Tally, IncomeFilesAtLiteralOffsets) {
  Win5Ledger l;
  // Mode 0 (every year by month), every type.
  ASSERT_TRUE(runShushiTally(l.ds, l.store, l.port, kShushiAllByMonth, 0, 2005, TallyFilter{}, kClock));
  const std::vector<std::uint8_t> old = l.read(kShushiWorkFile);
  const std::vector<std::uint8_t> types = l.read(kShushiTypeWorkFile);
  ASSERT_EQ(old.size(), 2360u);
  ASSERT_EQ(types.size(), 3592u);
  // tmp/shushi.tmp holds no WIN5: every figure 0 (no meeting), as a tally without the store.
  for (std::size_t i = 0; i < 2288; ++i) ASSERT_EQ(old[i], 0) << i;
  // tmp/shushisk.tmp: every type as 0xFF; WIN5's cell (10, 8) at 72 + 108 * 32 = 3528, the
  // chosen column's (10, 9) at 3560.
  EXPECT_EQ(bytes::getU32(types.data(), 0), 0xFFu);
  EXPECT_EQ(bytes::getI32(types.data(), 4), -1);
  EXPECT_EQ(std::memcmp(types.data() + 8, old.data() + 2296, 64), 0);
  for (std::size_t at : {std::size_t{3528}, std::size_t{3560}}) {
    EXPECT_EQ(bytes::getU32(types.data(), at), 1200u) << at;
    EXPECT_EQ(bytes::getU32(types.data(), at + 4), 0u);
    EXPECT_EQ(bytes::getU32(types.data(), at + 8), 400u);
    EXPECT_EQ(bytes::getU32(types.data(), at + 16), 10000u);
    EXPECT_EQ(bytes::getI32(types.data(), at + 24), 3);
    EXPECT_EQ(bytes::getI32(types.data(), at + 28), 1);
  }
  for (std::size_t i = 72; i < 3528; ++i) ASSERT_EQ(types[i], 0) << i;
  // Every type but WIN5: bit 9 marks WIN5 left out, and no WIN5 is counted.
  TallyFilter noWin5;
  noWin5.types = kRaceTallyTypes;
  ASSERT_TRUE(runShushiTally(l.ds, l.store, l.port, kShushiAllByMonth, 0, 2005, noWin5, kClock));
  const std::vector<std::uint8_t> without = l.read(kShushiTypeWorkFile);
  EXPECT_EQ(bytes::getU32(without.data(), 0), 0x2FFu);
  for (std::size_t i = 72; i < without.size(); ++i) ASSERT_EQ(without[i], 0) << i;
  EXPECT_EQ(l.read(kShushiWorkFile), old);
}

// A store without WIN5: the type file of every type is what it was before WIN5 was a type
// (0xFF at 0, the ninth column 0).
TEST(Win5Tally, WithoutWin5TheTypeFileIsAsBefore) {
  RunDir dir;
  LedgerCursor ds{dir.path()};
  BetStore store{dir.path()};
  ScriptedPort port;
  makeLedger(ds, {2005});
  ASSERT_TRUE(runShushiTally(ds, store, port, kShushiAllByMonth, 0, 2005, TallyFilter{}, kClock));
  std::vector<std::uint8_t> types;
  ASSERT_TRUE(readWholeFile(ds.fs(), ds.resolve(kShushiTypeWorkFile), types));
  ASSERT_EQ(types.size(), 3592u);
  std::vector<std::uint8_t> want(3592, 0);
  bytes::putU32(want.data(), 0, 0xFF);
  bytes::putI32(want.data(), 4, -1);
  std::memcpy(want.data() + 8, types.data() + 8, 64);
  EXPECT_EQ(types, want);
}

TEST(Win5Tally, IncomeViewAndCsvGainAWin5Row) {
  ShushiResult r;
  TypeTallyResult t;
  t.cells[kAllCoursesRow][kChosenCol] = {5000, 600, 4800, 3, 1};
  ShushiView plain;
  setTypeBlock(plain, t);
  EXPECT_FALSE(plain.win5Shown);  // nothing bought
  const std::vector<std::string> before = shushiLines(plain);
  const exports::CsvTable csvBefore = exports::shushiCsv(r, &t);

  t.cells[kAllCoursesRow][kTallyWin5Slot] = {1200, 400, 10000, 3, 1};
  ShushiView v;
  setTypeBlock(v, t);
  ASSERT_TRUE(v.win5Shown);
  EXPECT_EQ(v.win5.kou, "       800円     1250.0％       10000円");
  EXPECT_EQ(v.win5Bought, "      1200円");
  EXPECT_EQ(v.win5Refunded, "       400円");
  const std::vector<std::string> lines = shushiLines(v);
  ASSERT_EQ(lines.size(), before.size() + 2);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), lines.begin()));
  EXPECT_EQ(lines[before.size()].substr(0, 5), "WIN5\t");
  EXPECT_EQ(lines[before.size() + 1], "購入\t      1200円\t返還\t       400円");

  const exports::CsvTable csv = exports::shushiCsv(r, &t);
  ASSERT_EQ(csv.rows(), csvBefore.rows() + 1);
  EXPECT_EQ(csv.text().substr(0, csvBefore.text().size()), csvBefore.text());
  EXPECT_EQ(csv.text().substr(csvBefore.text().size()), "WIN5,合計,800,1250.0,10000,9200,33.3\r\n");

  // WIN5 left out of the filter: no row, whatever the cell holds.
  t.filter.types = kRaceTallyTypes;
  ShushiView out;
  setTypeBlock(out, t);
  EXPECT_FALSE(out.win5Shown);
  EXPECT_EQ(exports::shushiCsv(r, &t).text().find("WIN5"), std::string::npos);
}

}  // namespace
