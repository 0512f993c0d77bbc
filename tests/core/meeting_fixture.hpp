#pragma once
// A ledger in a fresh temporary folder with the year 2001 registered, for the meeting
// tests, and a file layer that fails where a test tells it to.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "features/entry/meeting_ops.hpp"
#include "features/main/folders.hpp"
#include "features/main/main_selection.hpp"
#include "features/main/meeting_view.hpp"
#include "features/years/years.hpp"
#include "storage/fileio.hpp"
#include "storage/records.hpp"
#include "storage/user_port.hpp"

namespace meeting_test {

using namespace tovra;

// A staged file (the new version written beside a ledger file) of the ledger file `which`.
inline bool stagedFileOf(const std::filesystem::path& p, const char* which) {
  return isStagedName(p.filename().string()) && p.filename().string().find(which) != std::string::npos &&
         p.filename().string().find("tovra-commit") == std::string::npos;
}

// Fails opening for creation, writing past a byte budget, or renaming, for the paths a
// predicate picks; everything else goes to the real disk.
class FailingFs : public FileSystem {
 public:
  std::function<bool(const std::filesystem::path&)> failCreate = [](const auto&) { return false; };
  std::function<bool(const std::filesystem::path&)> failRename = [](const auto&) { return false; };
  std::function<bool(const std::filesystem::path&)> limitWrites = [](const auto&) { return false; };
  std::size_t writeBudget = 0;  // bytes a limited file accepts before its writes fail
  bool skipSync = false;        // flush() leaves the data to the close, for long runs
  // The files the user made read-only (mode 0444 for anyone but root).
  std::function<bool(const std::filesystem::path&)> readOnly = [](const auto&) { return false; };

  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (mode == OpenMode::CreateNew && failCreate(p)) return nullptr;
    auto f = FileSystem::open(p, mode);
    if (f && mode != OpenMode::Read && (limitWrites(p) || skipSync))
      return std::make_unique<Limited>(std::move(f), limitWrites(p) ? writeBudget : SIZE_MAX, skipSync);
    return f;
  }
  bool rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (failRename(to)) return false;
    return FileSystem::rename(from, to);
  }
  bool syncDirectory(const std::filesystem::path& dir) override { return skipSync || FileSystem::syncDirectory(dir); }
  bool writable(const std::filesystem::path& p) override { return !readOnly(p) && FileSystem::writable(p); }

 private:
  class Limited : public File {
   public:
    Limited(std::unique_ptr<File> f, std::size_t budget, bool skipSync)
        : f_(std::move(f)), budget_(budget), skipSync_(skipSync) {}
    std::size_t read(void* b, std::size_t n) override { return f_->read(b, n); }
    bool write(const void* b, std::size_t n) override {
      std::size_t take = std::min(n, budget_);  // the part that fits goes to the disk, as on a full disk
      budget_ -= take;
      return f_->write(b, take) && take == n;
    }
    bool seek(std::uint64_t o) override { return f_->seek(o); }
    bool flush() override { return skipSync_ || f_->flush(); }
    bool close() override { return f_->close(); }
    std::uint64_t size() override { return f_->size(); }

   private:
    std::unique_ptr<File> f_;
    std::size_t budget_;
    bool skipSync_;
  };
};

// A scripted port that also records the order of what the user sees and hears.
class RecordingPort : public ScriptedPort {
 public:
  std::vector<std::string> events;
  Answer message(const std::string& t, const std::string& x, MsgIcon i, MsgButtons b) override {
    events.push_back("message");
    return ScriptedPort::message(t, x, i, b);
  }
  void beep() override {
    events.push_back("beep");
    ScriptedPort::beep();
  }
  void asterisk() override {
    events.push_back("asterisk");
    ScriptedPort::asterisk();
  }
  void setBusy(bool busy) override { events.push_back(busy ? "busy" : "arrow"); }
  void waitBegin(const std::string& text, bool progress) override {
    events.push_back("wait");
    waitText = text;
    ScriptedPort::waitBegin(text, progress);
  }
  void waitEnd() override { events.push_back("waitEnd"); }
  std::string waitText;
};

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// How a deletion ended, as the window runs it.
enum class SakujyoResult { Deleted, Cancelled, WorkFileFailed, Damaged };

// Counts what the ledger announces.
struct Announcements : LedgerObserver {
  std::vector<std::string> seen;
  void yearsChanged() override { seen.push_back("years"); }
  void meetingsChanged(const std::string& year, int course) override {
    seen.push_back("meetings " + year + " " + std::to_string(course));
  }
  void dayChanged(const DayKey& k) override { seen.push_back("day " + std::to_string(k.index)); }
};

class MeetingLedger : public ::testing::Test {
 protected:
  std::filesystem::path root;
  FailingFs failing;
  std::unique_ptr<LedgerCursor> ds;
  RecordingPort port;
  LedgerEvents events;
  Announcements announced;
  // The window's selection; the test's cursor follows it, so that the tests read what
  // the window shows from `ds`.
  MainSelection sel;
  std::vector<std::string> hookCalls;

  void closeRaceWindow() { hookCalls.push_back("closeRaceWindow"); }
  // The end of a meeting operation as the main window runs it: the day it gives shown,
  // then the done sound; a refusal told.
  int finish(int course, const Result<MeetingPlace>& r) {
    if (r.failed()) ds->fatal(r.failure().code, r.failure().path);
    if (r.refused()) {
      tellRefusal(port, r.refusal());
      return -1;
    }
    if (const Status read = followMeetings(ds->ledger(), ds->year, sel, course, *r); !read)
      ds->fatal(read.failure().code, read.failure().path);
    ds->follow(sel);
    hookCalls.push_back("showMeetingView");
    port.events.push_back("view");
    port.asterisk();
    return r->index;
  }
  // 登録 and 一括登録 of the registration dialog.
  int runRegisterSingle(int course, const MeetingDate& d) { return runRegister(course, {d}); }
  int runRegisterSeries(int course, const MeetingDate& first) { return runRegister(course, seriesDates(first)); }
  int runRegister(int course, const std::vector<MeetingDate>& days) {
    sel = ds->selection();
    closeRaceWindow();
    return finish(course, runRegisterMeetings(ds->ledger(), port, events, ds->year, course, days));
  }
  // 修正 of the edit dialog on the meeting shown (its record as the window holds it).
  int runEditShown(const MeetingDate& d) {
    sel = ds->selection();
    if (!meetingShown(sel.shown(), sel.count())) {
      port.beep();
      return -1;
    }
    closeRaceWindow();
    BetStore bets(ds->root());
    return finish(sel.course, runEditMeeting(ds->ledger(), bets, port, events, sel.key(ds->year), sel.day.meeting, d));
  }
  // 開催ﾃﾞｰﾀ削除: the two questions, then the deletion.
  SakujyoResult runDeleteShown() {
    sel = ds->selection();
    if (!meetingShown(sel.shown(), sel.count())) {
      port.beep();
      return SakujyoResult::Cancelled;
    }
    for (const std::string& q : deleteQuestions(sel.course, sel.day.meeting))
      if (!askOkCancel(port, q, MsgIcon::Question)) return SakujyoResult::Cancelled;
    BetStore bets(ds->root());
    const auto r = runDeleteMeeting(ds->ledger(), bets, port, events, sel.key(ds->year), [this] { closeRaceWindow(); });
    finish(sel.course, r);
    if (r) return SakujyoResult::Deleted;
    if (r.refusal().text.empty()) return SakujyoResult::Cancelled;
    return r.refusal().text == kSakujyoWorkFileText ? SakujyoResult::WorkFileFailed : SakujyoResult::Damaged;
  }
  // The file work alone: the days added to `course`, which becomes the current one with
  // the last day added shown.
  int registerDays(int course, const std::vector<MeetingDate>& days) {
    const std::vector<KaisaiRecord> records = blankMeetings(days);
    sel = ds->selection();
    const auto r = ds->ledger().insertMeetings(ds->year, course, records);
    if (r.failed()) ds->fatal(r.failure().code, r.failure().path);
    if (r.refused()) throw std::runtime_error(r.refusal().text);
    if (const Status read = followMeetings(ds->ledger(), ds->year, sel, course, *r); !read)
      ds->fatal(read.failure().code, read.failure().path);
    ds->follow(sel);
    return r->index;
  }
  // The meeting shown (its record in memory) with a new date, moved to its place.
  int editShown(const MeetingDate& d) {
    sel = ds->selection();
    KaisaiRecord k = sel.day.meeting;
    k.tsukiHi = d.tsukiHi();
    k.kaiNichi = d.kaiNichi();
    const auto r = ds->ledger().replaceMeeting(sel.key(ds->year), k);
    if (r.failed()) ds->fatal(r.failure().code, r.failure().path);
    if (r.refused()) return -1;
    if (const Status read = followMeetings(ds->ledger(), ds->year, sel, sel.course, *r); !read)
      ds->fatal(read.failure().code, read.failure().path);
    ds->follow(sel);
    return r->index;
  }

  // The main window's view of the meeting shown, its record read again.
  MeetingView shownView() {
    ds->readMeeting(ds->shown());
    return formatMeetingView(ds->selection());
  }

  void SetUp() override {
    static std::atomic<int> serial{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root = std::filesystem::temp_directory_path() /
           ("tovra_meeting_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) + "_" + info->name());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    ds = std::make_unique<LedgerCursor>(root, &failing);
    ScriptedPort quiet;
    ASSERT_TRUE(prepareFolders(ds->fs(), root, quiet));
    ds->loadYears();
    const auto years = registerFirstYear(ds->ledger(), ds->nenji, 2001);
    ASSERT_TRUE(years);
    ds->nenji = *years;
    ds->year = "2001";
    ds->countMeetings();
    events.add(&announced);
  }
  void TearDown() override { std::filesystem::remove_all(root); }

  std::filesystem::path meetingPath(int c = 0) const { return ds->resolve(ds->meetingFile(c)); }
  std::filesystem::path racePath(int c = 0) const { return ds->resolve(ds->raceFile(c)); }

  // Registers one day, then marks the new meeting and its first race with `tag`, so that
  // tests can see that a meeting and its races stay together.
  int add(int course, int month, int day, int tag = 0, int kai = 1, int nichi = 1) {
    int i = registerDays(course, {{month, day, kai, nichi}});
    if (tag != 0) {
      ds->kaisai.kounyuGaku[0] = tag;
      ds->races[0].koumoku = static_cast<std::uint32_t>(tag);
      ds->writeShown();
    }
    return i;
  }

  // What the files hold, meeting by meeting: date and tag of the meeting and of its block.
  struct Row {
    int tsukiHi, kaiNichi, meetingTag, raceTag;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> rows(int course = 0) {
    std::vector<Row> out;
    auto m = fileBytes(meetingPath(course));
    auto r = fileBytes(racePath(course));
    for (std::size_t i = 0; (i + 1) * KaisaiRecord::kSize <= m.size(); ++i) {
      KaisaiRecord k;
      k.decode(m.data() + i * KaisaiRecord::kSize);
      if (k.tsukiHi == 0) break;
      RaceRecord rr;
      if ((i + 1) * kRaceBlockSize <= r.size()) rr.decode(r.data() + i * kRaceBlockSize);
      out.push_back({k.tsukiHi, k.kaiNichi, k.kounyuGaku[0], static_cast<int>(rr.koumoku)});
    }
    return out;
  }
  std::vector<int> dates(int course = 0) {
    std::vector<int> out;
    for (const Row& r : rows(course)) out.push_back(r.tsukiHi);
    return out;
  }

  // The invariant of the two files: n meetings, then exactly one all-zero record and one
  // all-zero block, and nothing after them.
  void expectWellFormed(int course, std::size_t n) {
    auto m = fileBytes(meetingPath(course));
    auto r = fileBytes(racePath(course));
    ASSERT_EQ(m.size(), (n + 1) * KaisaiRecord::kSize);
    ASSERT_EQ(r.size(), (n + 1) * kRaceBlockSize);
    for (std::size_t i = n * KaisaiRecord::kSize; i < m.size(); ++i) ASSERT_EQ(m[i], 0) << "terminator byte " << i;
    for (std::size_t i = n * kRaceBlockSize; i < r.size(); ++i) ASSERT_EQ(r[i], 0) << "trailing block byte " << i;
    EXPECT_EQ(rows(course).size(), n);
    EXPECT_EQ(ds->meetingCount[course], static_cast<int>(n));
  }

  bool workFilesLeft() {
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
      if (isStagedName(e.path().filename().string()) || isCommitMarkName(e.path().filename().string())) return true;
    return false;
  }
};

}  // namespace meeting_test
