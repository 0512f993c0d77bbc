// Outside files that are not what they should be — cut, oversized, random, or of
// another kind — through every import: each gives its message or reads nothing, and no
// ledger byte changes, not even after 登録. Where the good file is still whole inside the
// bad one (a board text is searched for its blocks; a PAT result or runner file is read
// from its head), the import stores what the good file stores and nothing else. And
// imports whose writes fail.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "features/import/file_list.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "meeting_fixture.hpp"
#include "storage/text.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"
#include "support/lzh_builder.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

std::vector<std::uint8_t> randomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<std::uint8_t> v(n);
  for (auto& b : v) b = static_cast<std::uint8_t>(gen());
  return v;
}

std::vector<std::uint8_t> cut(std::vector<std::uint8_t> v, std::size_t n) {
  v.resize(std::min(v.size(), n));
  return v;
}

std::vector<std::uint8_t> grown(std::vector<std::uint8_t> v, std::size_t extra) {
  const auto r = randomBytes(extra, 7);
  v.insert(v.end(), r.begin(), r.end());
  return v;
}

enum class Format { JravanNewResult, JravanOldCard, Nifty, PatIndex, PatPurchases, PatResult, PatEntries };

struct BadFile {
  const char* what;
  Format format;
  std::vector<std::uint8_t> bytes;
  // The good file it holds whole, read as that file is; none: nothing may change.
  std::optional<std::vector<std::uint8_t>> readsAs;
};

// Runs the import of the format over the file (placed where that import takes it) and
// stores the day as 登録 does when the import reached its confirmation.
void runAndStore(ImportDay& day, const BadFile& f) {
  const auto root = day.root();
  ImportFolders folders;
  folders.folder[kFolderPat] = "pat/";
  folders.patKind = 3;
  writeFile(root / "pat" / "pat98.exe", {'M', 'Z'});
  bool reached = false;
  switch (f.format) {
    case Format::JravanNewResult:
    case Format::JravanOldCard: {
      writeFile(root / "x.dat", f.bytes);
      const JravanFormat fmt = f.format == Format::JravanNewResult ? JravanFormat{JravanKind::Result, true}
                                                                   : JravanFormat{JravanKind::Card, false};
      reached = jravanOnShown(day.ds(), day.port, folders, JravanRequest{fmt, false, "x.dat"}).has_value();
      break;
    }
    case Format::Nifty:
      writeFile(root / "x.txt", f.bytes);
      reached = niftyOnShown(day.ds(), day.port, folders, NiftyRequest{false, "x.txt"}).has_value();
      break;
    default: {
      if (f.format == Format::PatIndex) writeFile(root / "pat" / "lg-file.jra", f.bytes);
      if (f.format == Format::PatPurchases) {
        writeFile(root / "pat" / "lg-file.jra", patIndex(3, {{"P0001", "2018", 1125}}));
        writeFile(root / "pat" / "P0001.jra", f.bytes);
      }
      if (f.format == Format::PatResult) writeFile(root / "pat" / "Ks-1.dat", f.bytes);
      if (f.format == Format::PatEntries) writeFile(root / "pat" / "De-1.dat", f.bytes);
      reached = patOnShown(day.ds(), day.port, folders, PatRequest{}).has_value();
      break;
    }
  }
  if (reached) storeShown(day.ds());
}

const std::vector<BadFile>& badFiles() {
  static const std::vector<BadFile> v = [] {
    const auto jvNew = jvNewResultJapanCup().bytes();
    const auto jvOld = jvOldCard(5, 5, 8, 11, kJcName, 13, 'N', '0', '4', 999, 86, 2400, 11, 'A').bytes();
    const auto nifty = niftyFile({niftyJapanCup()});
    const auto index = patIndex(3, {{"P0001", "2018", 1125}});
    const auto purchases = patPurchases(3, {{5, 11, 1, 1, 10}});
    const auto result = patResultJapanCup(3);
    const auto entries = patEntriesJapanCup();
    std::vector<BadFile> v;
    struct Kind {
      Format f;
      const std::vector<std::uint8_t>* good;
    };
    const Kind kinds[] = {
        {Format::JravanNewResult, &jvNew}, {Format::JravanOldCard, &jvOld},    {Format::Nifty, &nifty},
        {Format::PatIndex, &index},        {Format::PatPurchases, &purchases}, {Format::PatResult, &result},
        {Format::PatEntries, &entries}};
    for (const Kind& k : kinds) {
      // A board text is searched for its blocks, a PAT result or runner file read from its
      // head: bytes after them, or around them, are not read.
      const bool searched = k.f == Format::Nifty;
      const bool headOnly = k.f == Format::PatResult || k.f == Format::PatEntries;
      const std::optional<std::vector<std::uint8_t>> good = *k.good;
      v.push_back({"cut to half", k.f, cut(*k.good, k.good->size() / 2), {}});
      v.push_back({"cut to 30 bytes", k.f, cut(*k.good, 30), {}});
      v.push_back({"empty", k.f, {}, {}});
      v.push_back({"random", k.f, randomBytes(5000, 1 + unsigned(k.f)), {}});
      v.push_back({"oversized: 256 KB of random bytes after it", k.f, grown(*k.good, 256u << 10),
                   searched || headOnly ? good : std::nullopt});
      v.push_back(
          {"another kind of file (an LZH archive)", k.f, lzhArchive({{"x", *k.good}}), searched ? good : std::nullopt});
    }
    // Each format given another's file.
    v.push_back({"a NIFTY text as JRA-VAN", Format::JravanNewResult, nifty, {}});
    v.push_back({"a JRA-VAN file as NIFTY", Format::Nifty, jvNew, {}});
    v.push_back({"a result file as the purchase index", Format::PatIndex, result, {}});
    v.push_back({"an entries file as a purchase file", Format::PatPurchases, entries, {}});
    return v;
  }();
  return v;
}

}  // namespace

class ImportBadFiles : public ::testing::TestWithParam<std::size_t> {};

namespace {

RaceBlock boughtBefore() {
  RaceBlock stored{};
  stored[10].umaKumi[0] = 108;  // a ticket bought before: the day has something to lose
  stored[10].umaGaku[0] = 1000;
  return stored;
}

// The ledger's own files: the year list and the course folders.
Snapshot ledgerBytes(const std::filesystem::path& root) {
  Snapshot s = snapshot(root);
  std::erase_if(s, [](const auto& e) { return e.first.rfind("tovradatafile/", 0) != 0 && e.first != "main.dat"; });
  return s;
}

}  // namespace

TEST_P(ImportBadFiles, NoLedgerByteChanges) {
  const BadFile& f = badFiles()[GetParam()];
  ImportDay day(boughtBefore());
  Snapshot expected = ledgerBytes(day.root());
  if (f.readsAs) {
    ImportDay good(boughtBefore());
    runAndStore(good, BadFile{f.what, f.format, *f.readsAs, {}});
    expected = ledgerBytes(good.root());
    ASSERT_NE(expected, ledgerBytes(day.root())) << "the good file stores something";
  }
  runAndStore(day, f);
  const Snapshot after = ledgerBytes(day.root());
  for (const auto& [name, bytes] : expected) EXPECT_TRUE(after.at(name) == bytes) << f.what << ": " << name;
  EXPECT_EQ(after.size(), expected.size()) << f.what;
}

INSTANTIATE_TEST_SUITE_P(Files, ImportBadFiles, ::testing::Range<std::size_t>(0, 46));

TEST(ImportBadFiles, TheTableIsWhole) { EXPECT_EQ(badFiles().size(), 46u); }

// --- writes that fail ---

TEST(ImportWrites, AFailedFolderSettingsWriteReportsItAndKeepsTheFile) {
  ImportDay day;
  ImportFolders f;
  f.folder[0] = "/old/";
  ASSERT_TRUE(saveImportFolders(FileSystem::standard(), day.root(), f));
  const auto before = snapshot(day.root())["janipa.dat"];
  meeting_test::FailingFs fs;
  fs.failCreate = [](const auto&) { return true; };
  f.folder[0] = "/new/";
  EXPECT_FALSE(saveImportFolders(fs, day.root(), f));
  EXPECT_EQ(snapshot(day.root())["janipa.dat"], before);
}

// Nothing of an archive is unpacked to the disk: a folder where no file can be created
// does not stop its import, and no scratch folder appears.
TEST(ImportWrites, AnArchiveIsImportedWithoutCreatingAnyFileOfItsMembers) {
  ImportDay day;
  meeting_test::FailingFs fs;
  fs.failCreate = [](const std::filesystem::path& p) { return p.parent_path().filename() != "tmp"; };
  LedgerCursor ds(day.root(), &fs);
  ds.loadYears();
  ds.year = newestYear(ds.nenji);
  ds.countMeetings();
  ds.course = kTokyo;
  ds.shownMeeting[kTokyo] = 1;
  ds.readShown();
  writeFile(day.root() / "jc.lzh", lzhArchive({{"jra1125.dat", jvNewResultJapanCup().bytes()}}));
  EXPECT_EQ(jravanOnShown(ds, day.port, ImportFolders{}, JravanRequest{{JravanKind::Result, true}, false, "jc.lzh"}),
            std::optional<std::string>(" 11R"));
  EXPECT_TRUE(day.port.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(day.root() / "tmp" / "lzh"));
}
