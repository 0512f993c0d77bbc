// The purchase-history CSV reader: every 式別 form, the numbers forms, amounts, 的中 and
// 返還, the points of every method against an enumeration of all combinations, golden
// bytes, and refusals that name the file and the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "features/import/ipat/ipat_csv.hpp"
#include "storage/text.hpp"
#include "support/ipat_csv_builder.hpp"

using namespace tovra;
using namespace tovra::ipattest;

namespace {

Result<IpatFile> readRows(const std::vector<CsvRow>& rows, long long total) {
  std::vector<std::string> texts;
  for (const CsvRow& r : rows) texts.push_back(rowText(r));
  return readIpatCsv(csvBytes(texts, total), "day.csv");
}

IpatLine one(const std::string& type, const std::string& numbers, const std::string& amount, long long total) {
  CsvRow r;
  r.type = type;
  r.numbers = numbers;
  r.amount = amount;
  const auto f = readRows({r}, total);
  EXPECT_TRUE(f) << type << " " << numbers << ": " << (f.refused() ? f.refusal().text : "");
  if (!f || f->lines.size() != 1) return {};
  return f->lines[0];
}

using H = std::vector<int>;

struct FormCase {
  const char* type;
  const char* numbers;
  const char* amount;
  long long total;
  IpatType expectType;
  BetMethod method;
  bool multi;
  std::array<int, 2> places;
  std::array<H, 3> sets;
  int points;
};

std::ostream& operator<<(std::ostream& o, const FormCase& c) { return o << c.type << " " << c.numbers; }

const FormCase kForms[] = {
    {"単勝", "08", "300", 300, IpatType::Tan, BetMethod::Normal, false, {1, 2}, {H{8}, H{}, H{}}, 1},
    {"複勝", "3", "100", 100, IpatType::Fuku, BetMethod::Normal, false, {1, 2}, {H{3}, H{}, H{}}, 1},
    {"枠連", "3―3", "200", 200, IpatType::Waku, BetMethod::Normal, false, {1, 2}, {H{3, 3}, H{}, H{}}, 1},
    {"馬連", "16―08", "100", 100, IpatType::Uma, BetMethod::Normal, false, {1, 2}, {H{16, 8}, H{}, H{}}, 1},
    {"ワイド", "08―16", "500", 500, IpatType::Wide, BetMethod::Normal, false, {1, 2}, {H{8, 16}, H{}, H{}}, 1},
    {"ﾜｲﾄﾞ", "08-16", "500", 500, IpatType::Wide, BetMethod::Normal, false, {1, 2}, {H{8, 16}, H{}, H{}}, 1},
    {"馬連ながし", "08／01；03；05", "100／300", 300, IpatType::Uma, BetMethod::Nagashi, false, {1, 2},
     {H{8}, H{1, 3, 5}, H{}}, 3},
    {"枠連ながし", "3／1；3；8", "100／300", 300, IpatType::Waku, BetMethod::Nagashi, false, {1, 2},
     {H{3}, H{1, 3, 8}, H{}}, 3},
    {"馬連ＢＯＸ", "04；07；11", "100／300", 300, IpatType::Uma, BetMethod::Box, false, {1, 2},
     {H{4, 7, 11}, H{}, H{}}, 3},
    {"ワイドボックス", "04；07；11；12", "200／1200", 1200, IpatType::Wide, BetMethod::Box, false, {1, 2},
     {H{4, 7, 11, 12}, H{}, H{}}, 6},
    {"ワイドフォーメーション", "01；02／01；02；03", "100／300", 300, IpatType::Wide, BetMethod::Formation, false,
     {1, 2}, {H{1, 2}, H{1, 2, 3}, H{}}, 3},
    {"馬単", "08―16", "100", 100, IpatType::Umatan, BetMethod::Normal, false, {1, 2}, {H{8, 16}, H{}, H{}}, 1},
    {"馬単1着ながし", "08／01；03", "100／200", 200, IpatType::Umatan, BetMethod::Nagashi, false, {1, 2},
     {H{8}, H{1, 3}, H{}}, 2},
    {"馬単２着ながし", "08／01；03", "100／200", 200, IpatType::Umatan, BetMethod::Nagashi, false, {2, 2},
     {H{8}, H{1, 3}, H{}}, 2},
    {"馬単1着ながしマルチ", "08／01；03", "100／400", 400, IpatType::Umatan, BetMethod::Nagashi, true, {1, 2},
     {H{8}, H{1, 3}, H{}}, 4},
    {"馬単フォーメーション", "01；02／02；03", "100／300", 300, IpatType::Umatan, BetMethod::Formation, false,
     {1, 2}, {H{1, 2}, H{2, 3}, H{}}, 3},
    {"3連複", "06―10―12", "100", 100, IpatType::Sanrenpuku, BetMethod::Normal, false, {1, 2},
     {H{6, 10, 12}, H{}, H{}}, 1},
    {"３連複ＢＯＸ", "04；07；11；12", "100／400", 400, IpatType::Sanrenpuku, BetMethod::Box, false, {1, 2},
     {H{4, 7, 11, 12}, H{}, H{}}, 4},
    {"3連複ﾎﾞｯｸｽ", "04;07;11", "100", 100, IpatType::Sanrenpuku, BetMethod::Box, false, {1, 2},
     {H{4, 7, 11}, H{}, H{}}, 1},
    {"3連複軸1頭ながし", "08／01；03；05", "100／300", 300, IpatType::Sanrenpuku, BetMethod::Nagashi, false,
     {1, 2}, {H{8}, H{1, 3, 5}, H{}}, 3},
    {"3連複軸2頭ながし", "03；08／01；05", "100／200", 200, IpatType::Sanrenpuku, BetMethod::Nagashi, false,
     {1, 2}, {H{3, 8}, H{1, 5}, H{}}, 2},
    {"3連複フォーメーション", "01；02／01；02；03／05；06", "100／600", 600, IpatType::Sanrenpuku,
     BetMethod::Formation, false, {1, 2}, {H{1, 2}, H{1, 2, 3}, H{5, 6}}, 6},
    {"3連単", "06―10―12", "100", 100, IpatType::Sanrentan, BetMethod::Normal, false, {1, 2},
     {H{6, 10, 12}, H{}, H{}}, 1},
    {"3連単1着ながし", "08／01；03；05", "100／600", 600, IpatType::Sanrentan, BetMethod::Nagashi, false, {1, 2},
     {H{8}, H{1, 3, 5}, H{}}, 6},
    {"3連単3着ながし", "08／01；03", "100／200", 200, IpatType::Sanrentan, BetMethod::Nagashi, false, {3, 2},
     {H{8}, H{1, 3}, H{}}, 2},
    {"3連単軸1頭ながしマルチ", "08／01；03；05", "100／1800", 1800, IpatType::Sanrentan, BetMethod::Nagashi, true,
     {1, 2}, {H{8}, H{1, 3, 5}, H{}}, 18},
    {"3連単1・3着ながし", "03；08／01；05", "100／200", 200, IpatType::Sanrentan, BetMethod::Nagashi, false,
     {1, 3}, {H{3, 8}, H{1, 5}, H{}}, 2},
    {"3連単軸2頭ながしマルチ", "03；08／01；05", "100／1200", 1200, IpatType::Sanrentan, BetMethod::Nagashi, true,
     {1, 2}, {H{3, 8}, H{1, 5}, H{}}, 12},
    {"3連単ＢＯＸ", "01；02；03", "100／600", 600, IpatType::Sanrentan, BetMethod::Box, false, {1, 2},
     {H{1, 2, 3}, H{}, H{}}, 6},
    {"3連単フォーメーション", "01；02／01；02；03／05；06", "\"1,000／8,000\"", 8000, IpatType::Sanrentan,
     BetMethod::Formation, false, {1, 2}, {H{1, 2}, H{1, 2, 3}, H{5, 6}}, 8},
};

class IpatForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(IpatForms, TypeMethodSetsAndPoints) {
  const FormCase& c = GetParam();
  const IpatLine l = one(c.type, c.numbers, c.amount, c.total);
  EXPECT_EQ(l.type, c.expectType);
  EXPECT_EQ(l.method, c.method);
  EXPECT_EQ(l.multi, c.multi);
  if (c.method == BetMethod::Nagashi) {
    EXPECT_EQ(l.places, c.places);
  }
  EXPECT_EQ(l.sets, c.sets);
  EXPECT_EQ(l.points, c.points);
  EXPECT_EQ(static_cast<int>(ipatPoints(l).size()), c.points);
  EXPECT_EQ(l.cost, c.total);
}

INSTANTIATE_TEST_SUITE_P(IpatCsv, IpatForms, ::testing::ValuesIn(kForms));

// --- points against every combination of the horses named ---

// Whether the unordered pair (or single) {a, b} is one the line's words describe.
bool pairBought(const IpatLine& l, int a, int b) {
  const auto in = [](const H& s, int v) { return std::find(s.begin(), s.end(), v) != s.end(); };
  switch (l.method) {
    case BetMethod::Normal:
      return (l.sets[0][0] == a && l.sets[0][1] == b) || (l.sets[0][0] == b && l.sets[0][1] == a);
    case BetMethod::Box:
      return a != b && in(l.sets[0], a) && in(l.sets[0], b);
    case BetMethod::Nagashi:
    case BetMethod::Formation:
      return (in(l.sets[0], a) && in(l.sets[1], b)) || (in(l.sets[0], b) && in(l.sets[1], a));
  }
  return false;
}

TEST(IpatCsvPoints, PairLinesMatchEveryPairOfHorses) {
  const std::pair<const char*, const char*> lines[] = {
      {"馬連ながし", "08／01；03；05；18"}, {"枠連ながし", "3／1；3；8"},
      {"馬連ＢＯＸ", "04；07；11；12；18"}, {"ワイドフォーメーション", "01；02；03／01；02；03；04"},
      {"枠連フォーメーション", "1；2／1；2；3"}, {"枠連ＢＯＸ", "1；5；8"}};
  for (const auto& [type, numbers] : lines) {
    CsvRow r;
    r.type = type;
    r.numbers = numbers;
    r.amount = "100";
    // The total is unknown here: take the line through a file without a trailer total.
    std::vector<std::string> texts{rowText(r)};
    std::string text = csvText(texts, 0);
    text.replace(text.find(",,合計,,,,,,0"), std::string(",,合計,,,,,,0").size(), ",,合計,,,,,,");
    const auto file = readIpatCsv(sj(text), "x.csv");
    ASSERT_TRUE(file) << type << ": " << file.refusal().text;
    const IpatLine& l = file->lines[0];
    const bool waku = l.type == IpatType::Waku;
    std::set<Combination> model;
    for (int a = 1; a <= 18; ++a)
      for (int b = a; b <= 18; ++b) {
        if (a == b && !waku) continue;
        if (waku && l.method == BetMethod::Box && a == b) continue;
        if (pairBought(l, a, b)) model.insert(Combination{a, b, 0});
      }
    const auto points = ipatPoints(l);
    EXPECT_EQ(std::set<Combination>(points.begin(), points.end()), model) << type;
    EXPECT_EQ(l.points, static_cast<int>(model.size())) << type;
  }
}

// Whether the finishing order (x, y, z) is one a 3連単 line's words describe.
bool trifectaBought(const IpatLine& l, int x, int y, int z) {
  const auto in = [](const H& s, int v) { return std::find(s.begin(), s.end(), v) != s.end(); };
  const int order[3] = {x, y, z};
  if (l.method == BetMethod::Formation) return in(l.sets[0], x) && in(l.sets[1], y) && in(l.sets[2], z);
  if (l.method == BetMethod::Box) return in(l.sets[0], x) && in(l.sets[0], y) && in(l.sets[0], z);
  // 流し: the axis horses at their places (any places with マルチ), partners elsewhere.
  for (int i = 0; i < 3; ++i)
    if (!in(l.sets[0], order[i]) && !in(l.sets[1], order[i])) return false;
  const H& axis = l.sets[0];
  if (l.multi) {
    for (int a : axis)
      if (a != x && a != y && a != z) return false;
    return true;
  }
  for (std::size_t k = 0; k < axis.size(); ++k)
    if (order[l.places[k] - 1] != axis[k]) return false;
  for (int i = 0; i < 3; ++i) {
    bool atAxisPlace = false;
    for (std::size_t k = 0; k < axis.size(); ++k) atAxisPlace = atAxisPlace || l.places[k] - 1 == i;
    if (!atAxisPlace && !in(l.sets[1], order[i])) return false;
  }
  return true;
}

TEST(IpatCsvPoints, TrifectaLinesMatchEveryFinishingOrder) {
  const std::pair<const char*, const char*> lines[] = {
      {"3連単1着ながし", "08／01；03；05"},         {"3連単2着ながし", "08／01；03；05"},
      {"3連単軸1頭ながしマルチ", "08／01；03；05"}, {"3連単1・3着ながし", "03；08／01；05；07"},
      {"3連単軸2頭ながしマルチ", "03；08／01；05"}, {"3連単ＢＯＸ", "01；02；03；04"},
      {"3連単フォーメーション", "01；02／01；02；03／02；05；06"}};
  for (const auto& [type, numbers] : lines) {
    CsvRow r;
    r.type = type;
    r.numbers = numbers;
    std::string text = csvText({rowText(r)}, 0);
    text.replace(text.find(",,合計,,,,,,0"), std::string(",,合計,,,,,,0").size(), ",,合計,,,,,,");
    const auto file = readIpatCsv(sj(text), "x.csv");
    ASSERT_TRUE(file) << type << ": " << file.refusal().text;
    const IpatLine& l = file->lines[0];
    std::set<Combination> model;
    for (int x = 1; x <= 18; ++x)
      for (int y = 1; y <= 18; ++y)
        for (int z = 1; z <= 18; ++z)
          if (x != y && y != z && x != z && trifectaBought(l, x, y, z)) model.insert(Combination{x, y, z});
    const auto points = ipatPoints(l);
    EXPECT_EQ(std::set<Combination>(points.begin(), points.end()), model) << type;
    EXPECT_EQ(l.points, static_cast<int>(model.size())) << type;
  }
}

// --- outcomes and amounts ---

TEST(IpatCsv, TheExampleDay) {
  const auto f = readIpatCsv(niigataExample(), "20220730.csv");
  ASSERT_TRUE(f) << f.refusal().text;
  ASSERT_EQ(f->lines.size(), 2u);
  const IpatLine& w = f->lines[0];
  EXPECT_EQ(w.line, 2);
  EXPECT_EQ(w.year, 2022);
  EXPECT_EQ(w.month, 7);
  EXPECT_EQ(w.day, 30);
  EXPECT_EQ(w.receipt, "0001-02");
  EXPECT_EQ(w.course, 3);  // 新潟
  EXPECT_EQ(w.race, 11);
  EXPECT_EQ(w.stake, 5);
  EXPECT_EQ(w.outcome, IpatOutcome::Hit);
  EXPECT_EQ(w.hits, (std::vector<Combination>{{8, 16, 0}}));
  EXPECT_EQ(w.payout, 1430);
  EXPECT_EQ(w.paid, 7150);
  EXPECT_EQ(w.numbersText, "08―16");
  const IpatLine& t = f->lines[1];
  EXPECT_EQ(t.line, 3);
  EXPECT_EQ(t.receipt, "0001-04");
  EXPECT_EQ(t.outcome, IpatOutcome::None);
  EXPECT_FALSE(t.payout);
  EXPECT_EQ(f->totalCost, 600);
}

TEST(IpatCsv, GoldenBytesOfTheHeaderAndALine) {
  const std::string b = niigataExample();
  // 日付 in CP932, then the comma at byte 4; 受付番号 from byte 5.
  EXPECT_EQ(b.substr(0, 5), std::string("\x93\xfa\x95\x74,", 5));
  EXPECT_EQ(b.substr(5, 8), std::string("\x8e\xf3\x95\x74\x94\xd4\x8d\x86", 8));
  // The first data line starts after the header's CR LF; its 新潟 at byte 14 of the line,
  // and ― (U+2015) is 0x81 0x5C in CP932.
  const std::size_t line = b.find("\r\n") + 2;
  EXPECT_EQ(b.substr(line, 17), "20220730,0001,02,");
  EXPECT_EQ(b.substr(line + 17, 4), std::string("\x90\x56\x8a\x83", 4));
  const std::size_t dash = b.find("08", line + 30);
  EXPECT_EQ(b.substr(dash, 6), std::string("08\x81\x5c" "16", 6));
}

struct OutcomeCase {
  const char* outcome;
  const char* payout;
  const char* paid;
  IpatOutcome expect;
  std::vector<Combination> hits;
  std::optional<std::int64_t> payoutValue;
  std::int64_t paidValue;
};

TEST(IpatCsv, OutcomesAndPayouts) {
  const OutcomeCase cases[] = {
      {"―", "―", "0", IpatOutcome::None, {}, std::nullopt, 0},
      {"", "", "", IpatOutcome::None, {}, std::nullopt, 0},
      {"返還", "―", "100", IpatOutcome::Refund, {}, std::nullopt, 100},
      {"的中08", "250", "250", IpatOutcome::Hit, {{8, 0, 0}}, 250, 250},
      {"的中０８", "２５０", "２５０", IpatOutcome::Hit, {{8, 0, 0}}, 250, 250},
      {"的中", "\"1,250\"", "\"1,250\"", IpatOutcome::Hit, {}, 1250, 1250},
  };
  for (const OutcomeCase& c : cases) {
    CsvRow r;
    r.outcome = c.outcome;
    r.payout = c.payout;
    r.paid = c.paid;
    const auto f = readRows({r}, 100);
    ASSERT_TRUE(f) << c.outcome << ": " << f.refusal().text;
    const IpatLine& l = f->lines[0];
    EXPECT_EQ(l.outcome, c.expect) << c.outcome;
    EXPECT_EQ(l.hits, c.hits) << c.outcome;
    EXPECT_EQ(l.payout, c.payoutValue) << c.outcome;
    EXPECT_EQ(l.paid, c.paidValue) << c.outcome;
  }
}

TEST(IpatCsv, Win5LinesAreKeptApart) {
  CsvRow r;
  r.course = "";
  r.race = "";
  r.type = "ＷＩＮ５";
  r.numbers = "01；02／03／04／05；06；07／08";
  r.amount = "100／600";
  const auto f = readRows({r, CsvRow{}}, 700);
  ASSERT_TRUE(f) << f.refusal().text;
  EXPECT_EQ(f->lines.size(), 1u);
  ASSERT_EQ(f->win5.size(), 1u);
  EXPECT_EQ(f->win5[0].points, 6);
  EXPECT_EQ(f->win5[0].legs[3], (H{5, 6, 7}));
  EXPECT_EQ(f->win5[0].cost, 600);
}

// --- refusals: the file and the line named ---

struct BadCase {
  CsvRow row;
  const char* message;
};

CsvRow with(void (*edit)(CsvRow&)) {
  CsvRow r;
  edit(r);
  return r;
}

TEST(IpatCsv, BadLinesAreRefusedNamingFileAndLine) {
  const BadCase cases[] = {
      {with([](CsvRow& r) { r.date = "20220231"; }), msg::kIpatDate},
      {with([](CsvRow& r) { r.date = "2022073"; }), msg::kIpatDate},
      {with([](CsvRow& r) { r.receipt = "A1"; }), msg::kIpatReceipt},
      {with([](CsvRow& r) { r.course = "大井"; }), msg::kIpatCourse},
      {with([](CsvRow& r) { r.race = "13"; }), msg::kIpatRace},
      {with([](CsvRow& r) { r.type = "馬複"; }), msg::kIpatType},
      {with([](CsvRow& r) { r.type = "単勝ながし"; }), msg::kIpatType},
      {with([](CsvRow& r) { r.type = "3連複1着ながし"; r.numbers = "01／02；03"; }), msg::kIpatType},
      {with([](CsvRow& r) { r.type = "馬連ＢＯＸマルチ"; r.numbers = "01；02"; }), msg::kIpatType},
      {with([](CsvRow& r) { r.numbers = "8a"; }), msg::kIpatNumbers},
      {with([](CsvRow& r) { r.numbers = "19"; }), msg::kLineHorseRange},
      {with([](CsvRow& r) { r.type = "枠連"; r.numbers = "1―9"; }), msg::kIpatFrameRange},
      {with([](CsvRow& r) { r.type = "馬連"; r.numbers = "03―03"; }), msg::kLineSetsBad},
      {with([](CsvRow& r) { r.type = "馬連ＢＯＸ"; r.numbers = "03；05；03"; }), msg::kLineHorseTwice},
      {with([](CsvRow& r) { r.type = "3連単"; r.numbers = "01―02"; }), msg::kLineCombo3},
      {with([](CsvRow& r) { r.type = "3連単軸2頭ながし"; r.numbers = "01／02；03"; }), msg::kIpatNumbers},
      {with([](CsvRow& r) { r.amount = "150"; }), msg::kIpatAmountUnit},
      {with([](CsvRow& r) { r.amount = "0"; }), msg::kIpatAmountUnit},
      {with([](CsvRow& r) { r.amount = "abc"; }), msg::kIpatAmount},
      {with([](CsvRow& r) { r.type = "馬連ながし"; r.numbers = "01／02；03"; r.amount = "100／300"; }),
       msg::kIpatAmountTotal},
      {with([](CsvRow& r) { r.outcome = "当り"; }), msg::kIpatOutcome},
      {with([](CsvRow& r) { r.payout = "x"; }), msg::kIpatPayout},
  };
  for (const BadCase& c : cases) {
    const auto f = readIpatCsv(csvBytes({rowText(CsvRow{}), rowText(c.row)}, 200), "day.csv");
    ASSERT_TRUE(f.refused()) << rowText(c.row);
    EXPECT_EQ(f.refusal().text, std::string("day.csv の 3行目：\n") + c.message) << rowText(c.row);
  }
}

TEST(IpatCsv, DamagedCutEmptyAndRandomFilesAreRefused) {
  const std::string good = niigataExample();
  const struct {
    std::string bytes;
    std::string message;
  } cases[] = {
      {"", "f.csv の 1行目：\n" + std::string(msg::kIpatNoHeader)},
      {"\r\n\r\n", "f.csv の 1行目：\n" + std::string(msg::kIpatNoHeader)},
      {sj("日付,受付番号\r\n"), "f.csv の 1行目：\n" + std::string(msg::kIpatBadHeader)},
      {std::string("\x00\xff\x81\x40garbage\r\n", 14), "f.csv の 1行目：\n" + std::string(msg::kIpatBadHeader)},
      // cut before the trailer
      {good.substr(0, good.rfind(sj(",,合計"))), "f.csv の 4行目：\n" + std::string(msg::kIpatNoTrailer)},
      // cut inside the second line
      {good.substr(0, good.rfind(sj(",,合計")) - 20), "f.csv の 3行目：\n" + std::string(msg::kIpatColumns)},
      {good + "x\r\n", "f.csv の 5行目：\n" + std::string(msg::kIpatAfterTrailer)},
      {csvBytes({"20220730,0001,02,新潟,土,11,単勝,08,100,―,―,0"}, -5),
       "f.csv の 3行目：\n" + std::string(msg::kIpatTrailerTotal)},
      {std::string(kIpatFileLimit + 1, 'a'), "f.csv の 1行目：\n" + std::string(msg::kIpatTooLarge)},
  };
  for (const auto& c : cases) {
    const auto f = readIpatCsv(c.bytes, "f.csv");
    ASSERT_TRUE(f.refused()) << c.message;
    EXPECT_EQ(f.refusal().text, c.message);
  }
}

TEST(IpatCsv, QuotedFieldsAndLfOnlyLines) {
  std::string text = std::string(kIpatHeader) + "\n" +
                     "20220730,0001,01,新潟,土,11R,馬連ながし,\"08／01；03；05\",\"1,000／3,000\",―,―,0\n" +
                     ",,合計,,,,,,\"3,000\",,,0\n\n";
  const auto f = readIpatCsv(sj(text), "q.csv");
  ASSERT_TRUE(f) << f.refusal().text;
  EXPECT_EQ(f->lines[0].stake, 10);
  EXPECT_EQ(f->lines[0].points, 3);
  EXPECT_EQ(f->lines[0].race, 11);
}

}  // namespace

// A trailer whose total differs from the lines' (a file cut down to some of its lines by
// hand, as the example of the betting service's page is) still reads; the import tells it.
TEST(IpatCsv, ATrailerTotalThatDiffersIsKeptForTheImportToTell) {
  const auto f = readIpatCsv(csvBytes({"20220730,0001,02,新潟,土,11,単勝,08,100,―,―,0"}, 12000), "f.csv");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->totalCost, 100);
  ASSERT_TRUE(f->trailerTotal);
  EXPECT_EQ(*f->trailerTotal, 12000);
  EXPECT_EQ(f->trailerLine, 3);
}
