// Every command of tovra-cli that writes, stopped at every file-changing call in turn: the
// call and everything after it fail, as when the process is killed there (nothing more
// reaches the disk). The next open must then find every meeting day of the ledger as it
// was before or after the command (its race block and its meeting record together), every
// other file old, new or absent as before or after, no staged file, journal or commit mark,
// and `settle --all` must change no byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <set>
#include <optional>

#include "common/cli_runner.hpp"
#include "common/ledger_cursor.hpp"
#include "core/support/faulty_fs.hpp"
#include "core/support/import_builders.hpp"
#include "core/support/import_fixture.hpp"
#include "core/support/lzh_builder.hpp"
#include "features/tally/result_files.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/records.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::fixture::FaultyFs;
using tovra::testing::runCli;
using tovra::testing::RunDir;
using Op = FaultyFs::Op;

namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

Files everyFile(const std::filesystem::path& root) {
  Files out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file())
      out[e.path().lexically_relative(root).generic_string()] = tovra::testing::readBytes(e.path());
  return out;
}

std::optional<std::vector<std::uint8_t>> find(const Files& f, const std::string& k) {
  auto it = f.find(k);
  if (it == f.end()) return std::nullopt;
  return it->second;
}

// The ledger every command starts from: 2017 and 2018, 東京's two days of November 2018
// with tickets, items, a result and a comment, a day at 札幌, a saved RANK result, the
// import folders and the files the imports read (under imports/).
class SweepLedger {
 public:
  static const SweepLedger& instance() {
    static SweepLedger l;
    return l;
  }
  const std::filesystem::path& root() const { return day_.root(); }

 private:
  SweepLedger() {
    const auto& r = root();
    writeFile(r / "imports" / "jc.dat", jvNewResultJapanCup().bytes());
    writeFile(r / "imports" / "board.txt", niftyFile({niftyJapanCup()}));
    writeFile(r / "imports" / "jv1125.lzh",
              lzhArchive({{"readme.txt", {'h', 'i'}}, {"JV\\JRA1125.DAT", jvNewResultJapanCup().bytes()}}));
    writeFile(r / "imports" / "pat" / "pat98.exe", {'M', 'Z'});
    writeFile(r / "imports" / "pat" / "Ks-11.dat", patResultJapanCup(3));
    writeFile(r / "imports" / "pat" / "De-11.dat", patEntriesJapanCup());
    for (const char* args : {
             "year add 2017",
             "folders set --pat imports/pat --pat-kind 3",
             "meeting add sap 6/1 1 1",
             "race items tok 0 3 --distance 1600 --class 1000万下 --track ﾀﾞｰﾄ --name ﾃｽﾄ特別",
             "race items tok 1 11 --distance 2400 --class 1 --track 1 --name ｼﾞｬﾊﾟﾝC",
             "race buy tok 1 11 uma --pair 1 8 --amount 10",
             "race buy tok 0 3 tan --horse 5 --amount 20",
             "race result tok 0 3 tan --horse 5 --amount 340",
             "race comment tok 0 3 出遅れ",
             "race buy sap 0 1 wide --pair 2 3 --amount 5",
             "tally rank --range all --kind 1",
             "--yes saved save rank",
             "--yes saved save rank",
             "settle --all",
         }) {
      const auto res = runCli(r, args);
      if (res.exitCode != 0) throw std::runtime_error(std::string(args) + ": " + res.err);
    }
  }
  ImportDay day_;
};

bool fileChanging(Op op) {
  switch (op) {
    case Op::Read:
    case Op::Seek:
    case Op::Size:
    case Op::Exists:
    case Op::IsDir:
    case Op::List: return false;
    default:  // Open among them: a file opened for writing
      return true;
  }
}

std::string withRoot(std::string args, const std::filesystem::path& root) {
  for (std::size_t at; (at = args.find("{R}")) != std::string::npos;) args.replace(at, 3, root.string());
  return args;
}

// Meeting file and race file of each registered or once registered year and course.
std::vector<std::pair<std::string, std::string>> coursePairs() {
  std::vector<std::pair<std::string, std::string>> out;
  for (int y = 2015; y <= 2019; ++y)
    for (int c = 0; c < kCourseCount; ++c)
      out.emplace_back(meetingFilePath(std::to_string(y), c), raceFilePath(std::to_string(y), c));
  return out;
}

std::vector<std::uint8_t> piece(const std::vector<std::uint8_t>& f, std::size_t i, std::size_t size) {
  return {f.begin() + static_cast<std::ptrdiff_t>(i * size), f.begin() + static_cast<std::ptrdiff_t>((i + 1) * size)};
}

// The course reads as before or after as a whole, or each of its days does. The files of a
// year that main.dat does not list (being registered or deleted) are not read: each may be
// old, new or absent.
bool courseOldOrNew(const Files& now, const Files& before, const Files& after, const std::string& m,
                    const std::string& r, bool listed) {
  const auto pair = [&](const Files& f) { return std::make_pair(find(f, m), find(f, r)); };
  const auto n = pair(now), b = pair(before), a = pair(after);
  if (n == b || n == a) return true;
  if (!listed) return (n.first == b.first || n.first == a.first) && (n.second == b.second || n.second == a.second);
  if (!n.first || !n.second || !b.first || !b.second || !a.first || !a.second) return false;
  const std::size_t days = n.first->size() / KaisaiRecord::kSize;
  if (n.first->size() != b.first->size() || n.first->size() != a.first->size() ||
      n.second->size() != b.second->size() || n.second->size() != a.second->size() ||
      n.second->size() < days * kRaceBlockSize)
    return false;
  for (std::size_t i = 0; i < days; ++i) {
    const auto day =
        [&](const std::pair<std::optional<std::vector<std::uint8_t>>, std::optional<std::vector<std::uint8_t>>>& f) {
          return std::make_pair(piece(*f.first, i, KaisaiRecord::kSize), piece(*f.second, i, kRaceBlockSize));
        };
    if (day(n) != day(b) && day(n) != day(a)) return false;
  }
  return true;
}

std::vector<int> registeredYears(const Files& f) {
  std::vector<int> out;
  const auto main = find(f, kMainDat);
  if (!main || main->size() < NenjiTable::kSize) return out;
  NenjiTable t;
  t.decode(main->data());
  for (int i = 0; i < t.count(); ++i) out.push_back(t.nen[i]);
  return out;
}

// The same bytes; in a tally's work file, apart from the minute it was made (the run here
// and the one that gave `before` or `after` may fall in different minutes).
bool sameFile(const std::string& name, std::optional<std::vector<std::uint8_t>> a,
              std::optional<std::vector<std::uint8_t>> b) {
  for (tally::TallyKind kind :
       {tally::TallyKind::Shushi, tally::TallyKind::Koumoku, tally::TallyKind::Rank, tally::TallyKind::Jyoken}) {
    const tally::TallyKindInfo& info = tally::tallyKindInfo(kind);
    if (name != info.workFile || !a || !b) continue;
    for (auto* f : {&*a, &*b})
      if (f->size() >= info.stampOffset + tally::kStampSize)
        std::fill_n(f->begin() + static_cast<std::ptrdiff_t>(info.stampOffset), tally::kStampSize, std::uint8_t{0});
  }
  return a == b;
}

bool wholePdf(const std::vector<std::uint8_t>& f) {
  const std::string text(f.begin(), f.end());
  return text.rfind("%PDF-", 0) == 0 &&
         text.find("%%EOF", text.size() > 16 ? text.size() - 16 : 0) != std::string::npos;
}

struct SweepCase {
  const char* name;
  const char* args;      // {R}: the working folder
  bool settles = false;  // the command settles: `settle --all` afterwards gives what it gives
};

void checkNextOpen(const std::filesystem::path& run, const SweepCase& c, const Files& before, const Files& after,
                   std::size_t k) {
  // The next open: a reading command completes or discards what the crash left.
  const auto opened = runCli(run, "year list");
  ASSERT_EQ(opened.exitCode, 0) << "the ledger does not open after a crash at call " << k << ": " << opened.err;
  const Files now = everyFile(run);
  for (const auto& [name, bytes] : now) {
    const std::string leaf = std::filesystem::path(name).filename().string();
    ASSERT_FALSE(isStagedName(leaf) || isCommitMarkName(leaf) || isJournalName(leaf)) << name << " left, call " << k;
  }
  std::set<std::string> paired;
  const std::vector<int> years = registeredYears(now);
  for (const auto& [m, r] : coursePairs()) {
    const bool listed = std::find(years.begin(), years.end(),
                                  std::stoi(std::filesystem::path(m).filename().string().substr(0, 4))) != years.end();
    ASSERT_TRUE(courseOldOrNew(now, before, after, m, r, listed))
        << "a torn day in " << r << " after a crash at call " << k;
    paired.insert(m);
    paired.insert(r);
  }
  std::set<std::string> names;
  for (const Files* f : {&now, &before, &after})
    for (const auto& [name, bytes] : *f) names.insert(name);
  for (const std::string& name : names) {
    if (paired.count(name)) continue;
    const auto n = find(now, name);
    // A PDF file holds the time it was made: it is absent or whole.
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".pdf") == 0) {
      ASSERT_TRUE(!n || wholePdf(*n)) << name << " after a crash at call " << k;
      continue;
    }
    // The file lists of an import are written once per kind of file it reads (each whole).
    if (name.rfind("tmp/", 0) == 0 && name.find("filename.tmp") != std::string::npos) continue;
    const auto size = [](const std::optional<std::vector<std::uint8_t>>& f) { return f ? long(f->size()) : -1L; };
    ASSERT_TRUE(sameFile(name, n, find(before, name)) || sameFile(name, n, find(after, name)))
        << name << " after a crash at call " << k << ": " << size(n) << " bytes (before " << size(find(before, name))
        << ", after " << size(find(after, name)) << ")";
  }
  // A registered year has every file.
  for (int y : years)
    for (int c = 0; c < kCourseCount; ++c)
      ASSERT_TRUE(now.count(meetingFilePath(std::to_string(y), c)) && now.count(raceFilePath(std::to_string(y), c)))
          << y << " course " << c << ", call " << k;
  // Nothing is half settled: settling again changes nothing (or, after a settlement that
  // stopped halfway, finishes it).
  const Files recovered = everyFile(run);
  ASSERT_EQ(runCli(run, "settle --all").exitCode, 0) << k;
  ASSERT_TRUE(everyFile(run) == (c.settles ? after : recovered))
      << "settle --all after a crash at call " << k << " does not give the settled ledger";
}

// The figures of 東京's day of the Japan Cup as a settlement that never ran leaves them.
void unsettle(const std::filesystem::path& root) {
  LedgerCursor ds(root);
  ds.loadYears();
  ds.year = "2018";
  ds.course = kTokyo;
  ds.shownMeeting[kTokyo] = 1;
  ds.readShown();
  for (auto& v : ds.kaisai.kounyuGaku) v = 0;
  for (auto& v : ds.kaisai.shushi) v = 0;
  ds.writeShown();
}

class CrashSweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(CrashSweep, EveryFileChangingCallLeavesTheDaysOldOrNew) {
  const SweepCase& c = GetParam();
  const SweepLedger& base = SweepLedger::instance();
  RunDir start(base.root());
  if (c.settles) unsettle(start.path());
  const Files before = everyFile(start.path());
  Files after;
  std::vector<Op> ops;
  {
    RunDir run(start.path());
    FaultyFs probe;
    probe.realSync = false;
    probe.fail = [&](Op op, const std::filesystem::path&) {
      ops.push_back(op);
      return false;
    };
    const auto r = runCli(run.path(), withRoot(c.args, run.path()), &probe);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    after = everyFile(run.path());
  }
  // The path of the working folder differs from run to run: files that hold it (none of
  // the ledger's) would not compare.
  ASSERT_TRUE(before != after) << "the command changes nothing";
  std::size_t points = 0;
  for (std::size_t k = 0; k <= ops.size(); ++k) {
    if (k < ops.size() && !fileChanging(ops[k])) continue;  // a crash there is the one at the next change
    ++points;
    RunDir run(start.path());
    {
      FaultyFs fs;
      fs.realSync = false;
      fs.stopAfter = k;  // the call k (0-based) and every one after it fail
      runCli(run.path(), withRoot(c.args, run.path()), &fs);
    }
    checkNextOpen(run.path(), c, before, after, k);
    if (HasFatalFailure()) return;
  }
  RecordProperty("crash_points", static_cast<int>(points));
  std::printf("[ sweep    ] %s: %zu crash points\n", c.name, points);
}

const SweepCase kWritingCommands[] = {
    {"race_buy", "race buy tok 1 11 tan --horse 3 --amount 10"},
    {"race_buy_box", "race buy tok 1 11 uma --method box --members 1,4,7 --amount 10"},
    {"race_buy_delete", "race buy tok 1 11 uma --delete 1"},
    {"race_result", "race result tok 1 11 tan --horse 3 --amount 250"},
    {"race_items", "race items tok 1 5 --distance 1600 --class 1000万下 --track ﾀﾞｰﾄ --name ﾃｽﾄ特別"},
    {"race_delete_items", "--yes race delete-items tok 0 3"},
    {"race_comment", "race comment tok 1 11 出遅れ"},
    {"race_going", "race going tok 0 all 稍重"},
    {"settle_day", "settle tok 1", true},
    {"settle_all", "--year 2018 settle --all", true},
    {"import_jravan", "--yes import jravan '{R}/imports/jc.dat' --kind result tok 1"},
    {"import_jravan_lzh", "--yes import jravan '{R}/imports/jv1125.lzh' --kind result tok 1"},
    {"import_nifty", "--yes import nifty '{R}/imports/board.txt' tok 1"},
    {"import_pat", "--yes import pat --results --entries tok 1"},
    {"meeting_add", "meeting add sap 4/29 1 1"},
    {"meeting_add_series", "meeting add kyo 4/29 1 5 --series"},
    {"meeting_edit", "meeting edit tok 0 12/20 6 2"},
    {"meeting_delete", "--yes meeting delete tok 0"},
    {"year_add", "year add 2016"},
    {"year_delete", "--yes year delete 2017"},
    {"settings_set", "settings set --start-course sap"},
    {"folders_set", "folders set --pat-kind 1"},
    {"saved_save", "--yes saved save rank"},
    {"saved_delete", "--yes saved delete rank 0"},
    {"tally_shushi", "tally shushi --range all"},
    {"tally_koumoku", "tally koumoku --range all"},
    {"tally_rank", "tally rank --range all --kind 2"},
    {"tally_jyoken", "tally jyoken --range all --cond bet=1"},
    {"search_race", "search race ｼﾞｬﾊﾟﾝ"},
    {"search_stakes", "search stakes --grade 1"},
    {"search_payout", "search payout --min 100 --max 1000"},
    {"export_races", "export races --range all --out '{R}/out.csv'"},
#ifdef TOVRA_CLI_PRINTS
    {"print_pdf", "print meeting tok 1 --pdf '{R}/day.pdf'"},
#endif
#ifdef TOVRA_CLI_CHARTS
    {"chart_png", "chart balance --range all --png '{R}/balance.png'"},
#endif
};

INSTANTIATE_TEST_SUITE_P(EveryWritingCommand, CrashSweep, ::testing::ValuesIn(kWritingCommands),
                         [](const ::testing::TestParamInfo<SweepCase>& i) { return std::string(i.param.name); });

}  // namespace
