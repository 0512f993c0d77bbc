// The JRA-VAN import of the displayed day: named files, the automatic search with LZH
// archives, the settlement, and that nothing is written before 登録.
#include <gtest/gtest.h>

#include "core/support/faulty_fs.hpp"
#include "features/import/file_list.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/years/years.hpp"
#include "storage/text.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"
#include "support/lzh_builder.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

RaceBlock withWinTicket() {
  RaceBlock races{};
  races[10].tanUma[0] = 1;
  races[10].tanGaku[0] = 1000;
  return races;
}

JravanRequest named(const std::filesystem::path& p, JravanKind k = JravanKind::Result, bool newer = true) {
  JravanRequest r;
  r.format = {k, newer};
  r.file = p;
  return r;
}

JravanRequest automatic(JravanKind k = JravanKind::Result, bool newer = true) {
  JravanRequest r;
  r.format = {k, newer};
  r.automatic = true;
  return r;
}

std::string msgText(const char* fmt, const std::string& name) { return cp932ToUtf8(sjprintf(fmt, sj(name).c_str())); }

}  // namespace

TEST(JravanImport, NamedFileFillsSettlesAndWritesOnlyOnStore) {
  ImportDay day(withWinTicket());
  writeFile(day.root() / "jc.dat", jvNewResultJapanCup().bytes());
  const Snapshot before = snapshot(day.root());
  const auto text = jravanOnShown(day.ds(), day.port, ImportFolders{}, named("jc.dat"));
  ASSERT_EQ(text, std::optional<std::string>(" 11R"));
  EXPECT_TRUE(day.port.messages.empty());
  // Settled: the win ticket of 1000 yen on horse 1 paid 140 per 100.
  EXPECT_EQ(day.ds().kaisai.kounyuGaku[10], 1000);
  EXPECT_EQ(day.ds().kaisai.shushi[10], 400);
  EXPECT_EQ(day.ds().kaisai.raceJoutai[10], 12);
  EXPECT_EQ(day.ds().races[10].tanKeka[0], 101);
  EXPECT_EQ(day.ds().kaisai.shushi[12], 400);
  EXPECT_EQ(snapshot(day.root()), before);  // nothing written before 登録

  storeShown(day.ds());
  EXPECT_TRUE(sameDay(day.storedKaisai(), day.storedRaces(), day.ds().kaisai, day.ds().races));
  EXPECT_EQ(cp932ToUtf8(day.storedKaisai().raceMei[10]), "ジャパンカップ");
}

// The import fills a copy of the day: ｷｬﾝｾﾙ drops it, and the day as stored (and as the
// window holds it) is untouched; 登録 writes the copy and announces the day once.
TEST(JravanImport, TheImportFillsACopyThatOnlyRegistrationWrites) {
  ImportDay day(withWinTicket());
  writeFile(day.root() / "jc.dat", jvNewResultJapanCup().bytes());
  const Snapshot before = snapshot(day.root());
  const KaisaiRecord shown = day.ds().kaisai;
  const DayKey key{"2018", kTokyo, 1};
  auto copy = beginImport(day.ds().ledger(), key);
  ASSERT_TRUE(copy);
  ASSERT_TRUE(runJravanImport(day.ds().ledger(), day.port, ImportFolders{}, *copy, named("jc.dat")));
  EXPECT_EQ(copy->day.races[10].tanKeka[0], 101);
  EXPECT_TRUE(sameDay(shown, day.ds().races, day.ds().kaisai, day.ds().races));  // the window's day as it was
  EXPECT_EQ(day.ds().races[10].tanKeka[0], 0);
  EXPECT_EQ(snapshot(day.root()), before);  // ｷｬﾝｾﾙ: the copy goes, nothing read or written

  struct Days : LedgerObserver {
    std::vector<int> seen;
    void dayChanged(const DayKey& k) override { seen.push_back(k.index); }
  } days;
  LedgerEvents events;
  events.add(&days);
  ASSERT_FALSE(storeImport(day.ds().ledger(), events, *copy));
  EXPECT_EQ(days.seen, std::vector<int>{1});
  EXPECT_TRUE(sameDay(day.storedKaisai(), day.storedRaces(), copy->day.meeting, copy->day.races));
}

// A refused import announces nothing and leaves every file as it was.
TEST(JravanImport, ARefusedImportWritesAndAnnouncesNothing) {
  ImportDay day(withWinTicket());
  writeFile(day.root() / "other.dat", std::vector<std::uint8_t>(10, 'x'));
  const Snapshot before = snapshot(day.root());
  const struct {
    JravanRequest request;
    const char* refusal;
  } cases[] = {
      {named("none.dat"), msg::kJravanNotFound},
      {named("other.dat"), msg::kJravanWrongKind},
      {JravanRequest{{JravanKind::Result, true}, true, {}}, msg::kJravanNoFolder},
  };
  for (const auto& c : cases) {
    auto copy = beginImport(day.ds().ledger(), DayKey{"2018", kTokyo, 1});
    ASSERT_TRUE(copy);
    const auto r = runJravanImport(day.ds().ledger(), day.port, ImportFolders{}, *copy, c.request);
    ASSERT_TRUE(r.refused()) << c.refusal;
    EXPECT_EQ(r.refusal().text, c.refusal);
    EXPECT_EQ(r.refusal().icon, MsgIcon::Error);
  }
  EXPECT_TRUE(day.port.messages.empty());  // told by the caller, not by the import
  EXPECT_EQ(snapshot(day.root()), before);
}

struct RefusedCase {
  const char* what;
  std::vector<std::uint8_t> bytes;  // empty with `missing`
  bool missing;
  const char* message;
};

class JravanRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(JravanRefused, GivesItsMessageAndChangesNothing) {
  ImportDay day(withWinTicket());
  if (!GetParam().missing) writeFile(day.root() / "x.dat", GetParam().bytes);
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(jravanOnShown(day.ds(), day.port, ImportFolders{}, named("x.dat")), std::nullopt);
  ASSERT_EQ(day.port.messages.size(), 1u) << GetParam().what;
  EXPECT_EQ(day.port.lastText(), GetParam().message);
  EXPECT_EQ(day.port.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(day.port.messages[0].title, "確認");
  EXPECT_EQ(snapshot(day.root()), before);
  EXPECT_TRUE(sameDay(day.storedKaisai(), day.storedRaces(), day.ds().kaisai, day.ds().races));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JravanRefused,
    ::testing::Values(
        RefusedCase{"missing", {}, true, msg::kJravanNotFound},
        RefusedCase{"truncated", std::vector<std::uint8_t>(3047, ' '), false, msg::kJravanWrongKind},
        RefusedCase{"a race card read as results", std::vector<std::uint8_t>(1463, ' '), false, msg::kJravanWrongKind},
        RefusedCase{"random bytes", std::vector<std::uint8_t>{1, 2, 3, 200, 0, 7}, false, msg::kJravanWrongKind}));

TEST(JravanImport, ANamedFileWithoutTheDaySaysSoAndImportsNothing) {
  ImportDay day(withWinTicket());
  Rec other = jvNewResultJapanCup();
  other.num(10, 4, 507);
  writeFile(day.root() / "x.dat", other.bytes());
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(jravanOnShown(day.ds(), day.port, ImportFolders{}, named("x.dat")), std::nullopt);
  ASSERT_EQ(day.port.messages.size(), 1u);
  EXPECT_EQ(day.port.lastText(), msg::kJravanNothingRead);
  EXPECT_EQ(day.ds().races[10].tanKeka[0], 0);
  EXPECT_EQ(snapshot(day.root()), before);
}

TEST(JravanImport, OlderLayoutWithAnItemDigitZeroIsStoppedAndReadBack) {
  RaceBlock races{};
  races[0].koumoku = 10121111;
  races[1].koumoku = 10121110;  // entered with going 0: the check stops at 2R
  ImportDay day(races);
  writeFile(day.root() / "old.dat", jvOldCard(5, 5, 8, 1, "ﾃｽﾄ", 11, '0', '0', '3', 701, 86, 1200, 11, ' ').bytes());
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(jravanOnShown(day.ds(), day.port, ImportFolders{}, named("old.dat", JravanKind::Card, false)),
            std::nullopt);
  EXPECT_EQ(day.port.lastText(), "ﾚｰｽ項目に異常がありました。\n\n2R\n\n登録を中止します。");
  EXPECT_EQ(day.ds().races[0].kyori, 0);  // read back
  EXPECT_EQ(snapshot(day.root()), before);
}

class JravanSearch : public ::testing::Test {
 protected:
  ImportDay day{withWinTicket()};
  ImportFolders folders;
  std::filesystem::path folder;
  void SetUp() override {
    folder = day.root() / "jv" / "seiseki";
    std::filesystem::create_directories(folder);
    folders.folder[kFolderJravanResult] = "jv/seiseki/";
  }
  std::optional<std::string> run() { return jravanOnShown(day.ds(), day.port, folders, automatic()); }
  std::vector<std::string> lzhFolder() {
    std::vector<std::string> n;
    if (std::filesystem::exists(day.root() / "tmp" / "lzh"))
      for (const auto& e : std::filesystem::directory_iterator(day.root() / "tmp" / "lzh"))
        n.push_back(e.path().filename());
    return n;
  }
};

TEST_F(JravanSearch, FindsTheFileOfTheDayAmongOthers) {
  Rec other = jvNewResultJapanCup();
  other.num(4, 4, 1124).num(10, 4, 507);
  writeFile(folder / "a_other.dat", other.bytes());
  writeFile(folder / "b_short.dat", std::vector<std::uint8_t>(100, ' '));
  writeFile(folder / "c_jc.dat", jvNewResultJapanCup().bytes());
  std::filesystem::create_directories(folder / "d_folder");
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(run(), std::optional<std::string>(" 11R"));
  EXPECT_TRUE(day.port.messages.empty());
  EXPECT_EQ(day.port.waits, 1);  // the search popup
  EXPECT_EQ(day.ds().races[10].tanKeka[0], 101);
  // The list of the folder's files, folders left out.
  EXPECT_EQ(std::filesystem::file_size(day.root() / kJraFileList), 3u * 256u);
  EXPECT_EQ(snapshot(day.root()), before);
}

TEST_F(JravanSearch, NoMatchingFileEndsWithItsMessage) {
  writeFile(folder / "x.dat", std::vector<std::uint8_t>(3048, ' '));
  EXPECT_EQ(run(), std::nullopt);
  EXPECT_EQ(day.port.lastText(), msg::kJravanNoMatch);
  // An empty or missing folder ends the same way.
  folders.folder[kFolderJravanResult] = "nowhere/";
  EXPECT_EQ(run(), std::nullopt);
  EXPECT_EQ(day.port.messages.size(), 2u);
}

TEST_F(JravanSearch, UnpacksAnArchiveUsesItsMatchingMemberAndRemovesWhatItUnpacked) {
  // A file of the user's named like a member stays untouched: archives are read in memory.
  writeFile(day.root() / "jra1125.dat", {'u', 's', 'e', 'r'});
  const auto archive = lzhArchive({{"readme.txt", {'h', 'i'}},
                                   {"JV\\JRA1124.DAT", std::vector<std::uint8_t>(3048, ' ')},
                                   {"JV\\JRA1125.DAT", jvNewResultJapanCup().bytes()}});
  writeFile(folder / "jv1125.lzh", archive);
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(run(), std::optional<std::string>(" 11R"));
  EXPECT_TRUE(day.port.messages.empty());
  EXPECT_EQ(day.ds().races[10].umaKeka[0], 108);
  EXPECT_TRUE(lzhFolder().empty());
  EXPECT_EQ(snapshot(day.root()), before);
  // The "jra*.*" members were listed.
  EXPECT_EQ(std::filesystem::file_size(day.root() / kJraLzhFileList), 2u * 256u);
}

TEST_F(JravanSearch, AnArchiveWithoutTheDayIsRemovedAndTheSearchGoesOn) {
  writeFile(folder / "a.lzh", lzhArchive({{"jra1124.dat", std::vector<std::uint8_t>(3048, ' ')}}));
  writeFile(folder / "b.dat", jvNewResultJapanCup().bytes());
  EXPECT_EQ(run(), std::optional<std::string>(" 11R"));
  EXPECT_TRUE(lzhFolder().empty());
}

TEST_F(JravanSearch, DamagedAndHostileArchivesAreRefusedWithTheirMessageAndTheSearchGoesOn) {
  auto damaged = lzhArchive({{"jra1125.dat", jvNewResultJapanCup().bytes()}});
  damaged[damaged.size() - 10] ^= 0x55;
  writeFile(folder / "a_damaged.lzh", damaged);
  writeFile(folder / "b_hostile.lzh",
            lzhArchive({{"..\\..\\main.dat", {0}}, {"jra1125.dat", jvNewResultJapanCup().bytes()}}));
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(run(), std::nullopt);
  ASSERT_EQ(day.port.messages.size(), 3u);
  EXPECT_EQ(day.port.messages[0].text, msgText(msg::kArchiveDamaged, "a_damaged.lzh"));
  EXPECT_EQ(day.port.messages[1].text, msgText(msg::kArchiveUnsafe, "b_hostile.lzh"));
  EXPECT_EQ(day.port.messages[2].text, msg::kJravanNoMatch);
  EXPECT_TRUE(lzhFolder().empty());
  EXPECT_EQ(snapshot(day.root()), before);
}

TEST(JravanImport, ANamedArchiveIsUnpackedLikeASearchedOne) {
  ImportDay day(withWinTicket());
  writeFile(day.root() / "jc.lzh", lzhArchive({{"jra1125.dat", jvNewResultJapanCup().bytes()}}));
  EXPECT_EQ(jravanOnShown(day.ds(), day.port, ImportFolders{}, named("jc.lzh")), std::optional<std::string>(" 11R"));
  writeFile(day.root() / "other.lzh", lzhArchive({{"jra1124.dat", std::vector<std::uint8_t>(3048, ' ')}}));
  EXPECT_EQ(jravanOnShown(day.ds(), day.port, ImportFolders{}, named("other.lzh")), std::nullopt);
  EXPECT_EQ(day.port.lastText(), msg::kJravanNoMatch);
}

// An archive is read in memory: where nothing but the two file lists can be written (a
// full disk), its member is still found and read, and nothing of it reaches the disk.
TEST_F(JravanSearch, AnArchiveIsReadWhereNothingButTheListsCanBeWritten) {
  writeFile(folder / "a.lzh", lzhArchive({{"readme.txt", {'h', 'i'}}, {"jra1125.dat", jvNewResultJapanCup().bytes()}}));
  writeFile(folder / "b.dat", std::vector<std::uint8_t>(3048, ' '));
  const Snapshot before = snapshot(day.root());
  fixture::FaultyFs fs;
  fs.fail = [](fixture::FaultyFs::Op op, const std::filesystem::path& p) {
    const std::string n = p.filename().string();
    return (op == fixture::FaultyFs::Op::Write || op == fixture::FaultyFs::Op::CreateDir) &&
           n.rfind("jrafilename.tmp", 0) != 0 && n.rfind("jralzhfilename.tmp", 0) != 0;
  };
  LedgerCursor ds(day.root(), &fs);
  ds.loadYears();
  ds.year = newestYear(ds.nenji);
  ds.countMeetings();
  ds.course = kTokyo;
  ds.shownMeeting[kTokyo] = 1;
  ds.readShown();
  ImportSource source;
  EXPECT_EQ(jravanOnShown(ds, day.port, folders, automatic(), &source), std::optional<std::string>(" 11R"));
  EXPECT_TRUE(day.port.messages.empty());
  EXPECT_EQ(ds.races[10].umaKeka[0], 108);
  EXPECT_EQ(source.file, "jv/seiseki/a.lzh");
  EXPECT_FALSE(std::filesystem::exists(day.root() / "tmp" / "lzh"));
  EXPECT_EQ(snapshot(day.root()), before);
}

namespace {

// `n` members: the first n - 1 empty, the last the day's results under `lastName`.
std::vector<std::uint8_t> archiveOf(std::size_t n, const std::string& lastName) {
  std::vector<LzhEntry> entries;
  entries.reserve(n);
  for (std::size_t i = 0; i + 1 < n; ++i) entries.push_back({"jra" + std::to_string(100000 + i) + ".dat", {}});
  entries.push_back({lastName, jvNewResultJapanCup().bytes()});
  return lzhArchive(entries);
}

}  // namespace

// A probe's archive of 50 000 members (1.85 MB) is refused by its count after the first
// thousand headers: the message names the file and the limit, nothing is written (no
// scratch folder, not even the member list), and the search goes on with the next file.
TEST_F(JravanSearch, AnArchiveOfFiftyThousandMembersIsRefusedBeforeAnythingIsWritten) {
  const auto big = archiveOf(50000, "jra1125.dat");
  ASSERT_GT(big.size(), 1800000u);
  writeFile(folder / "a_many.lzh", big);
  writeFile(folder / "b.dat", jvNewResultJapanCup().bytes());
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(run(), std::optional<std::string>(" 11R"));
  ASSERT_EQ(day.port.messages.size(), 1u);
  EXPECT_EQ(day.port.messages[0].text, cp932ToUtf8(sjprintf(msg::kArchiveTooMany, "a_many.lzh", 1000)));
  EXPECT_NE(day.port.messages[0].text.find("a_many.lzh には 1000 個を超えるﾌｧｲﾙ"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(day.root() / "tmp" / "lzh"));
  EXPECT_FALSE(std::filesystem::exists(day.root() / kJraLzhFileList));
  EXPECT_EQ(snapshot(day.root()), before);
}

struct ArchiveSize {
  std::size_t members;
  bool imported;
};

class JravanArchiveSize : public ::testing::TestWithParam<ArchiveSize> {};

// Named: an archive up to the limit is read (its last member the day's file), one past
// it is refused with its message and the day stays as stored.
TEST_P(JravanArchiveSize, UpToTheLimitIsReadPastItRefused) {
  const ArchiveSize c = GetParam();
  ImportDay day(withWinTicket());
  writeFile(day.root() / "jv.lzh", archiveOf(c.members, "JV\\JRA1125.DAT"));
  const Snapshot before = snapshot(day.root());
  const auto got = jravanOnShown(day.ds(), day.port, ImportFolders{}, named("jv.lzh"));
  if (c.imported) {
    EXPECT_EQ(got, std::optional<std::string>(" 11R")) << c.members;
    EXPECT_TRUE(day.port.messages.empty()) << c.members;
    EXPECT_EQ(day.ds().races[10].umaKeka[0], 108);
    // The "jra*.*" members were listed, the day's file among them.
    EXPECT_EQ(std::filesystem::file_size(day.root() / kJraLzhFileList), c.members * 256u);
  } else {
    EXPECT_EQ(got, std::nullopt) << c.members;
    EXPECT_EQ(day.port.lastText(), cp932ToUtf8(sjprintf(msg::kArchiveTooMany, "jv.lzh", 1000)));
    EXPECT_EQ(day.ds().races[10].umaKeka[0], 0);
    EXPECT_EQ(snapshot(day.root()), before);
  }
  EXPECT_FALSE(std::filesystem::exists(day.root() / "tmp" / "lzh"));
}

INSTANTIATE_TEST_SUITE_P(Cases, JravanArchiveSize,
                         ::testing::Values(ArchiveSize{1, true}, ArchiveSize{999, true}, ArchiveSize{1000, true},
                                           ArchiveSize{1001, false}, ArchiveSize{50000, false}));
