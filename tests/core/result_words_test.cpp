// What a tally result covers, read from literal bytes of saved copies (the dialog's and
// `saved list`'s description), and the names the CSV保存 buttons propose.
#include <gtest/gtest.h>

#include <cstring>

#include "common/ledger_builder.hpp"
#include "features/export/csv_names.hpp"
#include "features/tally/result_words.hpp"
#include "features/tally/saved_results.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Bytes put at a literal offset of a copy.
struct Put {
  std::size_t offset;
  Bytes bytes;
};
Bytes le32(std::uint32_t v) {
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}
Bytes le16(std::uint16_t v) { return {std::uint8_t(v), std::uint8_t(v >> 8)}; }
Bytes text(const char* ascii) { return Bytes(ascii, ascii + std::strlen(ascii) + 1); }

Bytes copyWith(std::size_t size, const std::vector<Put>& puts) {
  Bytes b(size, 0);
  for (const Put& p : puts) std::copy(p.bytes.begin(), p.bytes.end(), b.begin() + std::ptrdiff_t(p.offset));
  return b;
}

struct DescriptionCase {
  const char* name;
  TallyKind kind;
  std::size_t size;
  std::vector<Put> puts;
  const char* expected;
};

const DescriptionCase kDescriptions[] = {
    {"ShushiAllByMonth", TallyKind::Shushi, 2360, {{2292, le32(0)}}, "全年 月別"},
    {"ShushiAllByKai", TallyKind::Shushi, 2360, {{2292, le32(1)}}, "全年 回次別"},
    // Modes 2 and 3 keep the year's position in the year list (newest first): 0 is 2003, 1 is 2001.
    {"ShushiYearByMonth", TallyKind::Shushi, 2360, {{2288, le32(1)}, {2292, le32(2)}}, "2001年 月別"},
    {"ShushiYearByKai", TallyKind::Shushi, 2360, {{2288, le32(0)}, {2292, le32(3)}}, "2003年 回次別"},
    {"ShushiOneDay", TallyKind::Shushi, 2360, {{2288, le32(512)}, {2292, le32(5)}}, "5月12日"},
    {"ShushiDayOutOfRange", TallyKind::Shushi, 2360, {{2288, le32(1340)}, {2292, le32(5)}}, "内容不明"},
    {"ShushiUnknownMode", TallyKind::Shushi, 2360, {{2292, le32(4)}}, "内容不明"},
    {"KoumokuAllYears", TallyKind::Koumoku, 13552, {{10296, le32(0)}, {10300, text("2003")}}, "全年"},
    {"KoumokuOneYear", TallyKind::Koumoku, 13552, {{10296, le32(1)}, {10300, text("2020")}}, "2020年"},
    {"RankHaitouAllYears", TallyKind::Rank, 6697, {{6624, le32(1)}, {6628, text("2003")}}, "的中配当 全年"},
    {"RankRaceShushiOneYear", TallyKind::Rank, 6697, {{6624, le32(9)}, {6628, text("2019")}}, "レース別収支 2019年"},
    {"RankDayRitsuOneYear", TallyKind::Rank, 6697, {{6624, le32(8)}, {6628, text("2001")}}, "開催日別回収率 2001年"},
    {"RankUnknownCode", TallyKind::Rank, 6697, {{6624, le32(11)}}, "内容不明"},
    // Conditions from byte 201 (kind, value as two 16-bit numbers), the bet type at 229.
    {"JyokenConditionsAndBet",
     TallyKind::Jyoken,
     295,
     {{192, le32(1)},
      {196, text("2002")},
      {201, le16(3)},
      {203, le16(2)},
      {205, le16(8)},
      {207, le16(1)},
      {209, le16(9)},
      {211, le16(1600)},
      {229, le16(1)}},
     "2002年 3歳 芝 1600M 単勝"},
    {"JyokenMonthAllYears", TallyKind::Jyoken, 295, {{192, le32(0)}, {201, le16(1)}, {203, le16(12)}}, "全年 12月"},
    {"JyokenBetOnly", TallyKind::Jyoken, 295, {{192, le32(0)}, {229, le16(5)}}, "全年 馬連"},
};

class SavedDescription : public ::testing::TestWithParam<DescriptionCase> {};

}  // namespace

TEST_P(SavedDescription, ReadFromTheCopyInTheArchive) {
  const DescriptionCase& c = GetParam();
  LedgerBuilder ledger{{2001, 2003}};
  LedgerCursor ds = ledger.open();
  const TallyKindInfo& info = tallyKindInfo(c.kind);
  ASSERT_EQ(info.recordSize, c.size);
  // Two copies: an unrelated first one, then the case's; the index labels both.
  Bytes archive = copyWith(c.size, {});
  const Bytes copy = copyWith(c.size, c.puts);
  archive.insert(archive.end(), copy.begin(), copy.end());
  Bytes index(128, 0);
  std::memcpy(index.data() + 64, "2024", 4);
  ledger.write(info.archive, archive);
  ledger.write(info.index, index);
  const auto entries = savedEntries(ds, c.kind);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].time, "2024");
  EXPECT_EQ(entries[1].description, c.expected);
  EXPECT_EQ(savedLine(entries[1]), std::string("2024  ") + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Copies, SavedDescription, ::testing::ValuesIn(kDescriptions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SavedDescriptionFiles, AnEntryWithoutItsCopySaysSoAndAMissingArchiveListsEveryEntry) {
  LedgerBuilder ledger{{2001}};
  LedgerCursor ds = ledger.open();
  const TallyKindInfo& info = tallyKindInfo(TallyKind::Rank);
  ledger.write(info.index, Bytes(3 * 64, 0));
  EXPECT_EQ(savedEntries(ds, TallyKind::Rank).size(), 3u);
  EXPECT_EQ(savedEntries(ds, TallyKind::Rank)[0].description, kSavedNoCopy);
  // One whole copy and a part of the next.
  Bytes archive = copyWith(6697, {{6624, le32(3)}});
  archive.resize(6697 + 6630);
  ledger.write(info.archive, archive);
  const auto entries = savedEntries(ds, TallyKind::Rank);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].description, "開催日別回収率 全年");
  EXPECT_EQ(entries[1].description, kSavedNoCopy);
  EXPECT_EQ(entries[2].description, kSavedNoCopy);
  EXPECT_EQ(savedDeleteQuestion(TallyKind::Rank, entries[0]),
            "保存済RANK集計結果を削除します。\n\n  開催日別回収率 全年");
}

// ---------------------------------------------------------------- CSV file names

namespace {

struct NameCase {
  std::string kind;
  std::vector<std::string> words;
  std::string expected;
};
const NameCase kNames[] = {
    {"収支集計", {"全年", "月別"}, "収支集計_全年_月別.csv"},
    {"項目集計", {"2020年", "東京"}, "項目集計_2020年_東京.csv"},
    {"ﾚｰｽ名検索", {"全年", "日本 ダービー"}, "ﾚｰｽ名検索_全年_日本ダービー.csv"},
    {"ﾚｰｽ名検索", {"全年", "a/b\\c:d*e?f\"g<h>i|j"}, "ﾚｰｽ名検索_全年_a_b_c_d_e_f_g_h_i_j.csv"},
    {"馬名検索", {"全年", "\t", "  ", "ｱ\u3000ｲ"}, "馬名検索_全年___ｱｲ.csv"},
    {"条件集計", {}, "条件集計.csv"},
};

struct SearchNameCase {
  const char* title;
  const char* summary;
  const char* expected;
};
const SearchNameCase kSearchNames[] = {
    {"ﾚｰｽ名検索終了", "検索範囲： 全データ       \n\n検索ﾚｰｽ名 (文字列 )： ダービー\n\n 5個のﾃﾞｰﾀが見つかりました。",
     "ﾚｰｽ名検索_全年_ダービー.csv"},
    {"馬名検索終了",
     "検索範囲： 2020年      的中ﾚｰｽのみ\n\n検索馬名 (文字列 )： ﾃﾞｨｰﾌﾟ\n\n 1個のﾃﾞｰﾀが見つかりました。",
     "馬名検索_2020年_的中ﾚｰｽのみ_ﾃﾞｨｰﾌﾟ.csv"},
    // A name of more than 20 bytes stays out.
    {"ﾚｰｽ名検索終了",
     "検索範囲： 全データ       \n\n検索ﾚｰｽ名 (文字列 )： ジャパンカップダート記念\n\n 0個のﾃﾞｰﾀが見つかりました。",
     "ﾚｰｽ名検索_全年.csv"},
    {"ﾚｰｽ名検索終了", "検索範囲： 全データ       \n\n検索ﾚｰｽ名 (文字列 )： 1234567890abcdefghij\n\n",
     "ﾚｰｽ名検索_全年_1234567890abcdefghij.csv"},
    {"重賞検索終了", "検索範囲： 2001年       \n\n検索重賞： ＧⅠ\n\n 3個のﾃﾞｰﾀが見つかりました。",
     "重賞検索_2001年_ＧⅠ.csv"},
    {"ﾚｰｽ結果配当検索終了",
     "検索範囲： 全データ      的中ﾚｰｽのみ\n\n検索配当金額： 1000円 ～ 5000円\n\n 2個のﾃﾞｰﾀが見つかりました。",
     "ﾚｰｽ結果配当検索_全年_的中ﾚｰｽのみ_1000円～5000円.csv"},
    {"ﾚｰｽ結果配当検索終了", "検索範囲： 全データ       \n\n検索配当金額： 万馬券\n\n",
     "ﾚｰｽ結果配当検索_全年_万馬券.csv"},
    {"ﾚｰｽ名検索終了", "", "ﾚｰｽ名検索.csv"},
};

}  // namespace

TEST(CsvNames, WordsJoinedWithoutBlanksOrCharactersAFileNameCannotHold) {
  for (const NameCase& c : kNames) EXPECT_EQ(exports::csvFileName(c.kind, c.words), c.expected) << c.expected;
}

TEST(CsvNames, SearchListsByKindRangeAndAShortSearchedText) {
  for (const SearchNameCase& c : kSearchNames)
    EXPECT_EQ(exports::searchCsvFileName(c.title, c.summary), c.expected) << c.expected;
}

TEST(CsvNames, TallyTablesByTheirRecordAndTheCourseShown) {
  NenjiTable nenji{};
  nenji.nen[0] = 2001;
  nenji.nen[1] = 2020;
  const Bytes oneDay = copyWith(2360, {{2288, le32(1105)}, {2292, le32(5)}});
  const Bytes yearByMonth = copyWith(2360, {{2288, le32(1)}, {2292, le32(2)}});
  const Bytes koumoku = copyWith(13552, {{10296, le32(1)}, {10300, text("2020")}});
  const Bytes jyoken = copyWith(295, {{192, le32(0)}, {201, le16(10)}, {203, le16(2)}});
  struct {
    TallyKind kind;
    const Bytes* record;
    int course;
    const char* expected;
  } cases[] = {
      {TallyKind::Shushi, &oneDay, 10, "収支集計_2001年11月5日.csv"},
      {TallyKind::Shushi, &yearByMonth, -1, "収支集計_2020年_月別.csv"},
      {TallyKind::Koumoku, &koumoku, 4, "項目集計_2020年_東京.csv"},
      {TallyKind::Koumoku, &koumoku, 10, "項目集計_2020年.csv"},
      {TallyKind::Jyoken, &jyoken, 10, "条件集計_全年_稍重.csv"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(exports::tallyCsvFileName(c.kind, c.record->data(), nenji, "2001", c.course), c.expected) << c.expected;
}
