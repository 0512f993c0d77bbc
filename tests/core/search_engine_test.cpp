// The search engine over a small ledger: what takes part, what each search lists, the
// history, the summary, the selection afterwards, going to a result, and failing writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <cstring>
#include <string>
#include <vector>

#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "core/meeting_fixture.hpp"
#include "features/export/search_csv.hpp"
#include "features/search/search_engine.hpp"
#include "features/search/search_files.hpp"
#include "features/search/search_list.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::search;
using tovra::testing::LedgerBuilder;

namespace {

constexpr int kTok = 4, kNak = 5;

void name(KaisaiRecord& k, int r, const char* utf8) { std::strcpy(k.raceMei[r], sj(utf8).c_str()); }
void bamei(RaceRecord& x, int place, const char* utf8) { std::strcpy(x.chakuBamei[place], sj(utf8).c_str()); }

class SearchEngine : public ::testing::Test {
 protected:
  LedgerBuilder ledger{{2002, 2001}};

  void SetUp() override {
    // 2001 東京 12月3日 3回8日目.
    KaisaiRecord k = tovra::testing::meetingDayCodes(1203, 308);
    RaceBlock races{};
    name(k, 0, "ジャパンカップ");
    k.raceJoutai[0] = 12;
    races[0].koumoku = 30911311;  // GⅠ
    bamei(races[0], 0, "テイエムオペラオー");
    bamei(races[0], 1, "メイショウドトウ");
    name(k, 1, "ジャパンカップ");  // no data: never found
    k.raceJoutai[1] = 0;
    races[1].koumoku = 30911311;
    name(k, 2, "ジャパンカップダート");
    k.raceJoutai[2] = 2;
    races[2].koumoku = 30811311;  // GⅡ
    bamei(races[2], 0, "クロフネ");
    bamei(races[2], 4, "オペラハウス");
    // payouts: 複勝 100 (hit) and 500, ﾜｲﾄﾞ three in range, one hit
    races[2].fukuHaitou[0] = 100;
    races[2].fukuKeka[0] = 105;
    races[2].fukuHaitou[1] = 500;
    races[2].fukuKeka[1] = 6;
    races[2].wideHaitou[0] = 200;
    races[2].wideHaitou[1] = 300;
    races[2].wideHaitou[2] = 400;
    races[2].wideKeka[0] = 506;
    races[2].wideKeka[1] = 10507;
    races[2].wideKeka[2] = 607;
    races[2].umaHaitou[0] = 10000;
    races[2].tanHaitou[0] = 9990;
    name(k, 3, "未勝利");
    k.raceJoutai[3] = 1;
    races[3].koumoku = 0;  // no items: never a graded stakes
    ledger.setMeetings(2001, kTok, {tovra::testing::meetingDayCodes(1125, 307), k}, {RaceBlock{}, races});

    // 2002 中山 12月22日 5回8日目: 有馬記念, a hit race.
    KaisaiRecord a = tovra::testing::meetingDayCodes(1222, 508);
    RaceBlock ar{};
    name(a, 10, "有馬記念");
    a.raceJoutai[10] = 12;
    ar[10].koumoku = 30911311;
    bamei(ar[10], 0, "マンハッタンカフェ");
    bamei(ar[10], 2, "テイエムオペラオー");
    ar[10].umaHaitou[0] = 12000;
    ar[10].umaKeka[0] = 10407;
    ledger.setMeetings(2002, kNak, {a}, {ar});
  }

  // The program after start-up: 2002 current, 東京 shown.
  LedgerCursor open() { return ledger.open(2002, kTok, 0); }

  std::vector<std::string> lines(LedgerCursor& ds) {
    auto l = readKekaList(ds);
    return l ? l->lines : std::vector<std::string>{};
  }

  SearchParams nameSearch(SearchType t, const char* utf8) {
    SearchParams p;
    p.type = t;
    p.text = sj(utf8);
    return p;
  }
};

TEST_F(SearchEngine, RaceNameFindsWholeNamesAndEndsButNotRacesWithoutData) {
  LedgerCursor ds = open();
  ScriptedPort port;
  auto n = runSearch(ds, port, nameSearch(SearchType::RaceMei, "ジャパンカップ"));
  ASSERT_TRUE(n.has_value());
  EXPECT_EQ(*n, 2);
  EXPECT_EQ(lines(ds), (std::vector<std::string>{"2001年12月 3日 東京  3回 8日目  1R ジャパンカップ",
                                                 "2001年12月 3日 東京  3回 8日目  3R ジャパンカップダート"}));
  EXPECT_EQ(ledger.read(kKekaFile).size(), 2u * 96);
  const auto list = readKekaList(ds);
  EXPECT_EQ(list->title, "ﾚｰｽ名検索終了");
  EXPECT_EQ(list->summary,
            "検索範囲： 全データ       \n\n検索ﾚｰｽ名 (文字列 )： ジャパンカップ\n\n 2個のﾃﾞｰﾀが見つかりました。");
  // One wait popup with ten steps per year scanned.
  EXPECT_EQ(port.waits, 1);
  EXPECT_EQ(port.waitSteps, 20);

  EXPECT_EQ(*runSearch(ds, port, nameSearch(SearchType::RaceMei, "ダート")), 1);  // at the very end
}

TEST_F(SearchEngine, TheWaitPopupShowsTheSearchPicture) {
  struct PicturePort : ScriptedPort {
    std::vector<std::string> events;
    void setWaitPicture(WaitPicture p) override { events.push_back(p == WaitPicture::Search ? "search" : "hourglass"); }
    void waitBegin(const std::string& text, bool progress) override {
      events.push_back("wait " + text);
      ScriptedPort::waitBegin(text, progress);
    }
  } port;
  LedgerCursor ds = open();
  runSearch(ds, port, nameSearch(SearchType::RaceMei, "AB"));
  EXPECT_EQ(port.events, (std::vector<std::string>{"search", "wait 検索中 !!!\n\nしばらくお待ち下さい。"}));
}

TEST_F(SearchEngine, ATextStartingOnASecondByteFindsNothing) {
  LedgerCursor ds = open();
  ScriptedPort port;
  // ジャ is 83 57 83 83: the text "Wャ" (57 83 83) equals its bytes from the second one on.
  SearchParams p;
  p.type = SearchType::RaceMei;
  p.text = "W\x83\x83";
  EXPECT_EQ(*runSearch(ds, port, p), 0);
  // テ is 83 65: "e" equals its second byte.
  p.type = SearchType::Bamei;
  p.text = "e";
  EXPECT_EQ(*runSearch(ds, port, p), 0);
}

TEST_F(SearchEngine, HorseNameGivesOneLinePerMatchingFinisher) {
  LedgerCursor ds = open();
  ScriptedPort port;
  EXPECT_EQ(*runSearch(ds, port, nameSearch(SearchType::Bamei, "オペラ")), 3);
  EXPECT_EQ(lines(ds), (std::vector<std::string>{"2002年12月22日 中山  5回 8日目 11R テイエムオペラオー",
                                                 "2001年12月 3日 東京  3回 8日目  1R テイエムオペラオー",
                                                 "2001年12月 3日 東京  3回 8日目  3R オペラハウス"}));
  EXPECT_EQ(readKekaList(ds)->title, "馬名検索終了");
  // A one-byte horse-name text is searched too, and finds full-width names: ﾃ is テ.
  EXPECT_EQ(*runSearch(ds, port, nameSearch(SearchType::Bamei, "ﾃ")), 2);
  EXPECT_EQ(*runSearch(ds, port, nameSearch(SearchType::Bamei, "ﾃﾞ")), 0);
}

TEST_F(SearchEngine, HitOnlyAndOneYear) {
  LedgerCursor ds = open();
  ScriptedPort port;
  SearchParams p = nameSearch(SearchType::Bamei, "オペラ");
  p.hitOnly = true;
  EXPECT_EQ(*runSearch(ds, port, p), 2);  // race 3 of 2001 bought, not hit
  p.range = tally::TallyRange::oneYear(2001);
  EXPECT_EQ(*runSearch(ds, port, p), 1);
  EXPECT_EQ(port.waitSteps, 20 + 10);
  EXPECT_EQ(readKekaList(ds)->summary,
            "検索範囲： 2001年      的中ﾚｰｽのみ\n\n検索馬名 (文字列 )： オペラ\n\n 1個のﾃﾞｰﾀが見つかりました。");
}

TEST_F(SearchEngine, GradedStakes) {
  LedgerCursor ds = open();
  ScriptedPort port;
  SearchParams p;
  p.type = SearchType::Jyusho;
  p.grade = 0;
  EXPECT_EQ(*runSearch(ds, port, p), 2);  // 有馬記念 and ジャパンカップ; the race without data is not
  p.grade = 1;
  EXPECT_EQ(*runSearch(ds, port, p), 1);
  EXPECT_EQ(lines(ds)[0], "2001年12月 3日 東京  3回 8日目  3R ジャパンカップダート");
  p.grade = 2;
  EXPECT_EQ(*runSearch(ds, port, p), 0);  // 未勝利 has no items
  const auto list = readKekaList(ds);
  EXPECT_EQ(list->title, "重賞検索終了");
  EXPECT_EQ(list->summary, "検索範囲： 全データ       \n\n検索重賞： ＧⅢ\n\n 0個のﾃﾞｰﾀが見つかりました。");
}

TEST_F(SearchEngine, PayoutRangesManbakenAndHitOnly) {
  LedgerCursor ds = open();
  ScriptedPort port;
  SearchParams p;
  p.type = SearchType::Haitou;
  p.payout = {false, 100, 500};
  // 複勝 100 and 500 (both bounds), three ﾜｲﾄﾞ: five lines of one race.
  EXPECT_EQ(*runSearch(ds, port, p), 5);
  EXPECT_EQ(readKekaList(ds)->summary,
            "検索範囲： 全データ       \n\n検索配当金額： 100円 ～ 500円\n\n 5個のﾃﾞｰﾀが見つかりました。");
  p.hitOnly = true;
  EXPECT_EQ(*runSearch(ds, port, p), 0);  // the race was bought but not hit: it takes no part
  p.hitOnly = false;
  p.payout = {false, 200, 400};
  EXPECT_EQ(*runSearch(ds, port, p), 3);  // the three wide payouts
  p.payout = {true, 0, 0};
  EXPECT_EQ(*runSearch(ds, port, p), 2);  // 10000 and 12000, not 9990
  EXPECT_EQ(readKekaList(ds)->title, "ﾚｰｽ結果配当検索終了");
  p.hitOnly = true;
  EXPECT_EQ(*runSearch(ds, port, p), 1);  // 有馬記念's hit 馬連
  EXPECT_EQ(readKekaList(ds)->summary,
            "検索範囲： 全データ      的中ﾚｰｽのみ\n\n検索配当金額： 万馬券\n\n 1個のﾃﾞｰﾀが見つかりました。");
}

TEST_F(SearchEngine, PayoutLinesTellTheirBetTypeAndPayoutBesideTheListFile) {
  LedgerCursor ds = open();
  ScriptedPort port;
  SearchParams p;
  p.type = SearchType::Haitou;
  p.payout = {false, 100, 500};
  ASSERT_EQ(*runSearch(ds, port, p), 5);
  // Five lines of one race, told apart by bet type and payout.
  EXPECT_EQ(lines(ds),
            (std::vector<std::string>{"2001年12月 3日 東京  3回 8日目  3R 複勝    100円 ジャパンカップダート",
                                      "2001年12月 3日 東京  3回 8日目  3R 複勝    500円 ジャパンカップダート",
                                      "2001年12月 3日 東京  3回 8日目  3R ﾜｲﾄﾞ    200円 ジャパンカップダート",
                                      "2001年12月 3日 東京  3回 8日目  3R ﾜｲﾄﾞ    300円 ジャパンカップダート",
                                      "2001年12月 3日 東京  3回 8日目  3R ﾜｲﾄﾞ    400円 ジャパンカップダート"}));
  // The list keeps its 96-byte records; the notes are 8 bytes a record: slot, payout.
  EXPECT_EQ(ledger.read(kKekaFile).size(), 5u * 96);
  const std::vector<std::uint8_t> notes = ledger.read(kHaitouFile);
  ASSERT_EQ(notes.size(), 5u * 8);
  const std::uint8_t third[8] = {10, 0, 0, 0, 200, 0, 0, 0};  // ﾜｲﾄﾞ's first slot, 200 yen
  EXPECT_TRUE(std::equal(third, third + 8, notes.begin() + 16));
  // Its CSV has the two columns more.
  const exports::CsvTable csv = exports::searchCsv(ds);
  EXPECT_EQ(csv.columns(), 10u);
  EXPECT_NE(csv.text().find("年,月,日,競馬場,回,日目,R,名前,券種,配当"), std::string::npos);
  EXPECT_NE(csv.text().find(",3,ジャパンカップダート,ﾜｲﾄﾞ,400"), std::string::npos) << csv.text();
  // Notes that do not fit the list are not shown, and a name search drops them.
  ledger.write(kHaitouFile, std::vector<std::uint8_t>(notes.begin(), notes.begin() + 8));
  EXPECT_EQ(lines(ds)[0], "2001年12月 3日 東京  3回 8日目  3R ジャパンカップダート");
  ASSERT_EQ(*runSearch(ds, port, p), 5);
  ASSERT_EQ(*runSearch(ds, port, nameSearch(SearchType::RaceMei, "ダート")), 1);
  EXPECT_FALSE(ledger.exists(kHaitouFile));
  EXPECT_EQ(lines(ds)[0], "2001年12月 3日 東京  3回 8日目  3R ジャパンカップダート");
  EXPECT_EQ(exports::searchCsv(ds).columns(), 8u);
}

TEST_F(SearchEngine, PayoutHitOnlyListsOnlyTheHitSlots) {
  // A hit race: of its payouts in the range only the hit one is listed.
  KaisaiRecord k = tovra::testing::meetingDayCodes(601, 101);
  RaceBlock races{};
  k.raceJoutai[0] = 12;
  races[0].wideHaitou[0] = 200;
  races[0].wideKeka[0] = 102;
  races[0].wideHaitou[1] = 300;
  races[0].wideKeka[1] = 10103;
  ledger.setMeetings(2002, 0, {k}, {races});
  LedgerCursor ds = open();
  ScriptedPort port;
  SearchParams p;
  p.type = SearchType::Haitou;
  p.payout = {false, 100, 500};
  p.range = tally::TallyRange::oneYear(2002);
  p.hitOnly = true;
  EXPECT_EQ(*runSearch(ds, port, p), 1);
  p.hitOnly = false;
  EXPECT_EQ(*runSearch(ds, port, p), 2);
}

TEST_F(SearchEngine, TypedTextsGoFirstIntoTheHistoryPickedOnesLeaveIt) {
  LedgerCursor ds = open();
  ScriptedPort port;
  for (int i = 0; i < 10; ++i) runSearch(ds, port, nameSearch(SearchType::RaceMei, ("T" + std::to_string(i)).c_str()));
  auto h = readHistory(ds, true).texts();
  ASSERT_EQ(h.size(), 10u);
  EXPECT_EQ(h.front(), "T9");
  EXPECT_EQ(h.back(), "T0");
  SearchParams picked = nameSearch(SearchType::RaceMei, "T3");
  picked.picked = true;
  runSearch(ds, port, picked);
  EXPECT_EQ(readHistory(ds, true).texts(), h);
  runSearch(ds, port, nameSearch(SearchType::RaceMei, "T5"));  // typed again: stored again
  h = readHistory(ds, true).texts();
  EXPECT_EQ(h.front(), "T5");
  EXPECT_EQ(h[1], "T9");
  EXPECT_EQ(h.back(), "T1");  // T0 dropped
  EXPECT_EQ(std::count(h.begin(), h.end(), "T5"), 2);
  // The horse-name history is its own file; the other searches keep both.
  EXPECT_TRUE(ledger.read(kBameiHistoryFile).empty());
  runSearch(ds, port, nameSearch(SearchType::Bamei, "ｸ"));
  EXPECT_EQ(ledger.read(kBameiHistoryFile).size(), 640u);
  EXPECT_EQ(ledger.read(kRaceHistoryFile).size(), 640u);
}

TEST_F(SearchEngine, TheSelectionIsTheSameAfterwards) {
  LedgerCursor ds = ledger.open(2001, kTok, 1);
  const KaisaiRecord shown = ds.kaisai;
  ScriptedPort port;
  runSearch(ds, port, nameSearch(SearchType::Bamei, "オペラ"));
  EXPECT_EQ(ds.year, "2001");
  EXPECT_EQ(ds.course, kTok);
  EXPECT_EQ(ds.shownMeeting[kTok], 1);
  EXPECT_EQ(ds.meetingCount[kTok], 2);
  EXPECT_EQ(ds.kaisai.tsukiHi, shown.tsukiHi);
  EXPECT_EQ(std::string(ds.kaisai.raceMei[0]), std::string(shown.raceMei[0]));
}

// --- going to a result ---

TEST_F(SearchEngine, AResultLeadsToItsRaceAndAnotherYearIsAskedFirst) {
  LedgerCursor ds = open();
  ScriptedPort port;
  runSearch(ds, port, nameSearch(SearchType::RaceMei, "ジャパンカップ"));
  const std::vector<std::string> before = lines(ds);
  const Result<RaceTarget> t = resultTarget(ds, 1);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->day.year, "2001");
  EXPECT_EQ(t->day.course, kTok);
  EXPECT_EQ(t->day.index, 1);
  EXPECT_EQ(t->race, 2);
  EXPECT_EQ(yearChangeQuestion(*t, ds.year),
            std::optional<std::string>("現在処理中の年次が変更されます。\n\n2002年 → 2001年"));
  // The key reads the day that was found.
  const Result<MeetingDay> day = ds.ledger().readDay(t->day);
  ASSERT_TRUE(day);
  EXPECT_EQ(day->meeting.tsukiHi, 1203);
  EXPECT_EQ(std::string(day->races[2].chakuBamei[0]), sj("クロフネ"));
  // The same year asks nothing.
  const Result<RaceTarget> first = resultTarget(ds, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->race, 0);
  EXPECT_FALSE(yearChangeQuestion(*first, "2001"));
  // Nothing was asked or shown, and the data layer shows what it showed.
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(ds.year, "2002");
  EXPECT_EQ(ds.course, kTok);
  EXPECT_EQ(lines(ds), before);
}

TEST_F(SearchEngine, AResultThatLeadsNowhereIsRefusedAndAnUnreadableMeetingFileFails) {
  LedgerCursor ds = open();
  ScriptedPort port;
  runSearch(ds, port, nameSearch(SearchType::RaceMei, "有馬記念"));
  const char* gone = "このﾚｰｽﾃﾞｰﾀは現在の開催ﾃﾞｰﾀにありません。\n\nもう一度検索して下さい。";
  ASSERT_TRUE(resultTarget(ds, 0));
  // The meeting was deleted after the search: the record leads nowhere.
  ledger.setMeetings(2002, kNak, {});
  for (int index : {0, 5, -1}) {  // the gone meeting, past the end of the list, no line
    const Result<RaceTarget> t = resultTarget(ds, index);
    ASSERT_TRUE(t.refused()) << index;
    EXPECT_EQ(t.refusal().text, gone);
    EXPECT_EQ(t.refusal().icon, MsgIcon::Error);
  }
  // A meeting file that cannot be opened is the fatal error of reading a meeting.
  runSearch(ds, port, nameSearch(SearchType::RaceMei, "ジャパンカップ"));
  std::filesystem::remove(ledger / meetingFilePath("2001", kTok));
  const Result<RaceTarget> t = resultTarget(ds, 0);
  ASSERT_TRUE(t.failed());
  EXPECT_EQ(t.failure().code, 3);
  EXPECT_EQ(t.failure().path, meetingFilePath("2001", kTok));
  EXPECT_EQ(ds.course, kTok);
}

TEST_F(SearchEngine, NoStoredSearchShowsNothing) {
  LedgerCursor ds = open();
  EXPECT_FALSE(readKekaList(ds).has_value());
}

TEST_F(SearchEngine, NoHitGivesAnEmptyListAndACountOfZero) {
  LedgerCursor ds = open();
  ScriptedPort port;
  EXPECT_EQ(*runSearch(ds, port, nameSearch(SearchType::RaceMei, "存在しない")), 0);
  EXPECT_TRUE(ledger.read(kKekaFile).empty());
  const auto list = readKekaList(ds);
  ASSERT_TRUE(list.has_value());
  EXPECT_TRUE(list->lines.empty());
  EXPECT_NE(list->summary.find(" 0個のﾃﾞｰﾀが見つかりました。"), std::string::npos);
}

// --- a file layer that fails ---

TEST(SearchWrites, AFailedResultWriteLeavesTheLastResultsAsTheyWere) {
  LedgerBuilder ledger{{2001}};
  KaisaiRecord k = tovra::testing::meetingDayCodes(601, 101);
  name(k, 0, "テスト特別");
  k.raceJoutai[0] = 1;
  ledger.setMeetings(2001, 0, {k});
  {
    LedgerCursor ds = ledger.open();
    ScriptedPort port;
    SearchParams p;
    p.type = SearchType::RaceMei;
    p.text = sj("テスト");
    ASSERT_EQ(*runSearch(ds, port, p), 1);
  }
  const auto keka = ledger.read(kKekaFile), text = ledger.read(kTextFile);
  for (const char* target : {kKekaFile, kRaceHistoryFile, kTextFile}) {
    meeting_test::FailingFs fs;
    fs.failRename = [&](const std::filesystem::path& p) {
      return p.filename() == std::filesystem::path(target).filename();
    };
    fs.failCreate = fs.failRename;
    LedgerCursor ds(ledger.root(), &fs);
    ds.loadYears();
    ds.year = "2001";
    ds.countMeetings();
    ds.readShown();
    ScriptedPort port;
    SearchParams p;
    p.type = SearchType::RaceMei;
    p.text = sj("存在");  // no hit: a result file written would be empty
    EXPECT_FALSE(runSearch(ds, port, p).has_value()) << target;
    ASSERT_EQ(port.messages.size(), 1u) << target;
    EXPECT_EQ(port.messages[0].text, std::string("検索結果を作業ﾌｧｲﾙに書き込めませんでした。\n\n") + target);
    if (std::string(target) == kTextFile) continue;  // written last, after the results
    EXPECT_EQ(ledger.read(kKekaFile), keka) << target;
    EXPECT_EQ(ledger.read(kTextFile), text) << target;
    // No piece file is left behind.
    EXPECT_FALSE(std::filesystem::exists(ledger.root() / (std::string(kKekaFile) + ".part")));
  }
}

}  // namespace
