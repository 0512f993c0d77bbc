// Saved tally results: the archive and index byte for byte, a plain-list model of saving
// and deleting, showing a copy again, the files out of step, a crash at every step of a
// change, a failing file layer, the checks of work files, and the `saved` commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "core/support/faulty_fs.hpp"
#include "features/print/print_job.hpp"
#include "features/tally/result_files.hpp"
#include "features/tally/saved_results.hpp"
#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/recovery.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A work file of the kind that the windows can show, told apart by `serial` (the stamp's
// minute and one figure).
Bytes workFile(TallyKind kind, int serial) {
  const StampTime t{2024, 6, 1, 9, serial % 60};
  switch (kind) {
    case TallyKind::Shushi: {
      ShushiResult r;
      r.kounyu[ShushiResult::cell(12, 10)] = 1000 * (serial + 1);
      putTimeStamp(r.timeStamp, t);
      return r.encode();
    }
    case TallyKind::Koumoku: {
      KoumokuResult r;
      r.mode = 1;
      setFixedText(r.yearText, "2001");
      r.races[kAllCoursesRow][0] = serial + 1;
      putTimeStamp(r.timeStamp, t);
      Bytes out(KoumokuResult::kSize);
      r.encode(out.data());
      return out;
    }
    case TallyKind::Rank: {
      RankResult r;
      r.code = kRankHaitou;
      r.rows[0].kingaku = serial + 1;
      putTimeStamp(r.timeStamp, t);
      return r.encode();
    }
    case TallyKind::Jyoken: {
      JyokenResult r;
      r.purchase[kJyokenGrandRow] = 100 * (serial + 1);
      r.conditions[0] = {static_cast<std::int16_t>(JyokenKind::Month), 3};
      putTimeStamp(r.timeStamp, t);
      Bytes out(JyokenResult::kSize);
      r.encode(out.data());
      return out;
    }
  }
  return {};
}

// "2024年 6月 1日 9時 5分" as the index keeps it: 22 bytes of CP932.
const Bytes kEntry905 = {0x32, 0x30, 0x32, 0x34, 0x94, 0x4E, 0x20, 0x36, 0x8C, 0x8E, 0x20,
                         0x31, 0x93, 0xFA, 0x20, 0x39, 0x8E, 0x9E, 0x20, 0x35, 0x95, 0xAA};

struct Saved : ::testing::Test {
  LedgerBuilder ledger{{2001}};
  LedgerCursor ds = ledger.open();
  ScriptedPort port;

  void putWork(TallyKind kind, const Bytes& bytes) { ledger.write(tallyKindInfo(kind).workFile, bytes); }
  Bytes work(TallyKind kind) { return ledger.read(tallyKindInfo(kind).workFile); }
  Bytes archive(TallyKind kind) { return ledger.read(tallyKindInfo(kind).archive); }
  Bytes index(TallyKind kind) { return ledger.read(tallyKindInfo(kind).index); }
  bool exists(const std::string& logical) { return std::filesystem::exists(ledger.root() / logical); }
  std::set<std::string> shukeiFiles() {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(ledger.root() / "tovradatafile/shukei"))
      names.insert(e.path().filename().string());
    return names;
  }
  void save(TallyKind kind, int serial) {
    putWork(kind, workFile(kind, serial));
    ASSERT_TRUE(saveTallyResult(ds, port, kind));
  }
};

Bytes slice(const Bytes& b, std::size_t from, std::size_t n) {
  return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

}  // namespace

// ---------------------------------------------------------------- layout

TEST_F(Saved, SavingAppendsTheWorkFileAndItsTimeEntry) {
  save(TallyKind::Shushi, 5);
  save(TallyKind::Shushi, 7);
  const Bytes a = archive(TallyKind::Shushi), i = index(TallyKind::Shushi);
  ASSERT_EQ(a.size(), 4720u);
  EXPECT_EQ(slice(a, 0, 2360), workFile(TallyKind::Shushi, 5));
  EXPECT_EQ(slice(a, 2360, 2360), workFile(TallyKind::Shushi, 7));
  ASSERT_EQ(i.size(), 128u);
  EXPECT_EQ(slice(i, 0, 22), kEntry905);
  for (std::size_t k = 22; k < 64; ++k) EXPECT_EQ(i[k], 0) << k;
  EXPECT_EQ(i[64 + 19], '7');  // the minute of the second entry
  EXPECT_EQ(savedLabels(ds, TallyKind::Shushi),
            (std::vector<std::string>{"2024年 6月 1日 9時 5分", "2024年 6月 1日 9時 7分"}));
  // The question, owned by the tally window: caption, icon and buttons.
  ASSERT_EQ(port.messages.size(), 2u);
  EXPECT_EQ(port.messages[0].title, "集計結果保存");
  EXPECT_EQ(port.messages[0].text, "表示されている収支集計結果を保存します。");
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(port.messages[0].buttons, MsgButtons::OkCancel);
}

TEST_F(Saved, AnItemTallyCopyIsTheFirst13552BytesOfItsWorkFile) {
  save(TallyKind::Koumoku, 5);
  save(TallyKind::Koumoku, 6);
  const Bytes a = archive(TallyKind::Koumoku), w = workFile(TallyKind::Koumoku, 6);
  ASSERT_EQ(a.size(), 27104u);
  EXPECT_EQ(slice(a, 13552, 13552), slice(w, 0, 13552));
  EXPECT_EQ(slice(index(TallyKind::Koumoku), 0, 22), kEntry905);
  // Shown again, the work file is that copy; the window reads it in full.
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Koumoku, 1));
  EXPECT_EQ(work(TallyKind::Koumoku), slice(w, 0, 13552));
  EXPECT_EQ(workFileState(ds, TallyKind::Koumoku), WorkFileState::Ok);
}

TEST_F(Saved, RecordSizesAndFileNames) {
  struct Row {
    TallyKind kind;
    std::size_t size;
    const char* archive;
    const char* index;
    const char* question;
  };
  const Row rows[] = {
      {TallyKind::Shushi, 2360, "tovradatafile/shukei/shushi.dat", "tovradatafile/shukei/shushi.tim",
       "表示されている収支集計結果を保存します。"},
      {TallyKind::Koumoku, 13552, "tovradatafile/shukei/koumoku.dat", "tovradatafile/shukei/koumoku.tim",
       "表示されている項目集計結果を保存します。"},
      {TallyKind::Rank, 6697, "tovradatafile/shukei/rank.dat", "tovradatafile/shukei/rank.tim",
       "表示されているRANK集計結果を保存します。"},
      {TallyKind::Jyoken, 295, "tovradatafile/shukei/jyoken.dat", "tovradatafile/shukei/jyoken.tim",
       "表示されている条件集計結果を保存します。"},
  };
  for (const Row& r : rows) {
    save(r.kind, 1);
    EXPECT_EQ(archive(r.kind).size(), r.size) << r.archive;
    EXPECT_EQ(index(r.kind).size(), 64u) << r.index;
    EXPECT_TRUE(exists(r.archive));
    EXPECT_TRUE(exists(r.index));
    EXPECT_EQ(port.messages.back().text, r.question);
  }
}

TEST_F(Saved, FilesNamedInOtherLettersAreFoundAndKept) {
  std::filesystem::path dir = ledger.root() / "tovradatafile/shukei";
  const Bytes w = workFile(TallyKind::Jyoken, 3);
  tovra::testing::writeBytes(dir / "Jyoken.dat", w);
  const auto entry = indexEntry(TallyKind::Jyoken, w.data());
  tovra::testing::writeBytes(dir / "Jyoken.tim", Bytes(entry.begin(), entry.end()));
  EXPECT_EQ(savedLabels(ds, TallyKind::Jyoken), std::vector<std::string>{"2024年 6月 1日 9時 3分"});
  save(TallyKind::Jyoken, 4);
  EXPECT_EQ(tovra::testing::readBytes(dir / "Jyoken.dat").size(), 590u);
  EXPECT_FALSE(std::filesystem::exists(dir / "jyoken.dat"));
}

TEST_F(Saved, CancellingTheQuestionWritesNothing) {
  putWork(TallyKind::Rank, workFile(TallyKind::Rank, 1));
  port.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(saveTallyResult(ds, port, TallyKind::Rank));
  EXPECT_FALSE(exists(tallyKindInfo(TallyKind::Rank).archive));
  EXPECT_FALSE(exists(tallyKindInfo(TallyKind::Rank).index));
}

// ---------------------------------------------------------------- a plain-list model

TEST_F(Saved, SavesAndDeletesMatchAPlainList) {
  std::mt19937 rng(1234);
  std::vector<Bytes> model;  // the copies in order; the entries follow from them
  int serial = 0;
  for (int step = 0; step < 60; ++step) {
    const bool add = model.empty() || rng() % 3 != 0;
    if (add) {
      const Bytes w = workFile(TallyKind::Rank, ++serial);
      putWork(TallyKind::Rank, w);
      ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Rank));
      model.push_back(w);
    } else {
      const std::size_t i = rng() % model.size();
      ASSERT_TRUE(deleteSavedResult(ds, port, TallyKind::Rank, static_cast<int>(i)));
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
    }
    Bytes wantArchive, wantIndex;
    for (const Bytes& w : model) {
      wantArchive.insert(wantArchive.end(), w.begin(), w.end());
      const auto e = indexEntry(TallyKind::Rank, w.data());
      wantIndex.insert(wantIndex.end(), e.begin(), e.end());
    }
    ASSERT_EQ(archive(TallyKind::Rank), wantArchive) << "step " << step;
    ASSERT_EQ(index(TallyKind::Rank), wantIndex) << "step " << step;
  }
  // Every copy shows its own result.
  for (std::size_t i = 0; i < model.size(); ++i) {
    ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Rank, static_cast<int>(i)));
    EXPECT_EQ(work(TallyKind::Rank), model[i]);
  }
}

// ---------------------------------------------------------------- the edge cases of saving

TEST_F(Saved, SavingTheSameResultTwiceGivesTwoLinesThatShowTheSame) {
  save(TallyKind::Shushi, 9);
  save(TallyKind::Shushi, 9);
  const auto labels = savedLabels(ds, TallyKind::Shushi);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0], labels[1]);
  for (int i = 0; i < 2; ++i) {
    putWork(TallyKind::Shushi, {});
    ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, i));
    EXPECT_EQ(work(TallyKind::Shushi), workFile(TallyKind::Shushi, 9));
  }
}

TEST_F(Saved, DeletingLineZeroOfThreeMovesTheOthersUp) {
  for (int s : {1, 2, 3}) save(TallyKind::Jyoken, s);
  ASSERT_TRUE(deleteSavedResult(ds, port, TallyKind::Jyoken, 0));
  EXPECT_EQ(savedLabels(ds, TallyKind::Jyoken),
            (std::vector<std::string>{"2024年 6月 1日 9時 2分", "2024年 6月 1日 9時 3分"}));
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Jyoken, i));
    EXPECT_EQ(work(TallyKind::Jyoken), workFile(TallyKind::Jyoken, i + 2));
  }
  EXPECT_TRUE(port.messages.size() == 3u);  // the three questions, nothing else
}

TEST_F(Saved, DeletingTheOnlyResultLeavesBothFilesEmpty) {
  save(TallyKind::Koumoku, 1);
  ASSERT_TRUE(deleteSavedResult(ds, port, TallyKind::Koumoku, 0));
  EXPECT_TRUE(exists(tallyKindInfo(TallyKind::Koumoku).archive));
  EXPECT_EQ(archive(TallyKind::Koumoku).size(), 0u);
  EXPECT_EQ(index(TallyKind::Koumoku).size(), 0u);
  EXPECT_TRUE(savedLabels(ds, TallyKind::Koumoku).empty());
  // Nothing is left beside them.
  EXPECT_EQ(shukeiFiles(), (std::set<std::string>{"koumoku.dat", "koumoku.tim"}));
}

TEST_F(Saved, DeletingFromAnArchiveThatHoldsLessThanOneCopyIsRefused) {
  save(TallyKind::Jyoken, 1);
  ledger.write(tallyKindInfo(TallyKind::Jyoken).archive, Bytes(100, 7));
  const Bytes oldIndex = index(TallyKind::Jyoken);
  port.messages.clear();
  EXPECT_FALSE(deleteSavedResult(ds, port, TallyKind::Jyoken, 0));
  EXPECT_EQ(port.lastText(),
            "保存されているﾃﾞｰﾀに異常がありました。\n\njyoken.dat (100ﾊﾞｲﾄ) と jyoken.tim (1件) が合いません。\n\n"
            "処理を中止します。");
  EXPECT_EQ(archive(TallyKind::Jyoken), Bytes(100, 7));
  EXPECT_EQ(index(TallyKind::Jyoken), oldIndex);
}

namespace {

// The purchase figure a tally print puts at (400, y): the first ten places of its row.
std::string printedPurchase(const std::optional<print::PrintJob>& job, int y) {
  if (!job || job->document.pages.empty()) return "no print";
  for (const print::DrawText& t : job->document.pages[0])
    if (t.x == 400 && t.y == y) return t.text.substr(0, t.text.find("円"));
  return "no figure";
}

}  // namespace

TEST_F(Saved, ShowingASavedResultThenPrintingPrintsTheSavedResult) {
  // Saved copies 3 and 5, then a newer tally (serial 8) in the work files.
  for (TallyKind kind : {TallyKind::Shushi, TallyKind::Jyoken}) {
    save(kind, 3);
    save(kind, 5);
    putWork(kind, workFile(kind, 8));
  }
  // The income print's total line (y 1535) and the condition print's 全場総合 (y 1805).
  EXPECT_EQ(printedPurchase(print::shushiJob(ds, port, 0, ds.year), 1535), "      9000");
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, 0));
  EXPECT_EQ(printedPurchase(print::shushiJob(ds, port, 0, ds.year), 1535), "      4000");
  EXPECT_EQ(printedPurchase(print::jyokenJob(ds, port), 1805), "       900");
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Jyoken, 1));
  EXPECT_EQ(printedPurchase(print::jyokenJob(ds, port), 1805), "       600");
}

TEST_F(Saved, AMissingIndexListsNothing) {
  EXPECT_TRUE(savedLabels(ds, TallyKind::Shushi).empty());
  EXPECT_FALSE(deleteSavedResult(ds, port, TallyKind::Shushi, 0));
  EXPECT_TRUE(port.messages.empty());
}

// ---------------------------------------------------------------- out of step, damaged

TEST_F(Saved, ShowingACopyTheArchiveDoesNotHoldKeepsTheWorkFile) {
  save(TallyKind::Shushi, 1);
  save(TallyKind::Shushi, 2);
  // The archive loses its second copy from outside; the index still has two entries.
  Bytes a = archive(TallyKind::Shushi);
  a.resize(2360 + 100);
  ledger.write(tallyKindInfo(TallyKind::Shushi).archive, a);
  const Bytes before = workFile(TallyKind::Shushi, 42);
  putWork(TallyKind::Shushi, before);
  port.messages.clear();
  EXPECT_FALSE(restoreSavedResult(ds, port, TallyKind::Shushi, 1));
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].title, "確認");
  EXPECT_EQ(port.messages[0].text, "保存されているﾃﾞｰﾀに異常がありました。\n\n表示出来ません。");
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(work(TallyKind::Shushi), before);
  // The first copy is whole and still shows.
  EXPECT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, 0));
}

TEST_F(Saved, AMissingArchiveOrADamagedCopyIsNotShown) {
  save(TallyKind::Rank, 1);
  const Bytes before = workFile(TallyKind::Rank, 30);
  putWork(TallyKind::Rank, before);
  // A copy whose kind code no rank tally writes.
  Bytes a = archive(TallyKind::Rank);
  bytes::putI32(a.data(), 6624, 77);
  ledger.write(tallyKindInfo(TallyKind::Rank).archive, a);
  EXPECT_FALSE(restoreSavedResult(ds, port, TallyKind::Rank, 0));
  EXPECT_EQ(port.lastText(), kSavedBrokenMessage);
  std::filesystem::remove(ledger.root() / tallyKindInfo(TallyKind::Rank).archive);
  port.messages.clear();
  EXPECT_FALSE(restoreSavedResult(ds, port, TallyKind::Rank, 0));
  EXPECT_EQ(port.lastText(), kSavedBrokenMessage);
  EXPECT_EQ(work(TallyKind::Rank), before);
}

TEST_F(Saved, SavingIntoFilesOutOfStepIsRefusedBeforeTheQuestion) {
  save(TallyKind::Jyoken, 1);
  save(TallyKind::Jyoken, 2);
  // Index with two entries, archive with one copy: a save would have to drop an entry.
  Bytes a = archive(TallyKind::Jyoken);
  a.resize(295);
  ledger.write(tallyKindInfo(TallyKind::Jyoken).archive, a);
  const Bytes oldIndex = index(TallyKind::Jyoken);
  putWork(TallyKind::Jyoken, workFile(TallyKind::Jyoken, 3));
  port.messages.clear();
  EXPECT_FALSE(saveTallyResult(ds, port, TallyKind::Jyoken));
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(archive(TallyKind::Jyoken), a);
  EXPECT_EQ(index(TallyKind::Jyoken), oldIndex);
  // The copy the archive holds still shows.
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Jyoken, 0));
  EXPECT_EQ(work(TallyKind::Jyoken), workFile(TallyKind::Jyoken, 1));
}

TEST_F(Saved, AWorkFileThatCannotBeShownIsNotSaved) {
  putWork(TallyKind::Shushi, Bytes(100, 0));
  EXPECT_FALSE(saveTallyResult(ds, port, TallyKind::Shushi));
  ASSERT_EQ(port.messages.size(), 1u);  // no question before the refusal
  EXPECT_EQ(port.messages[0].text, workFileMessage(TallyKind::Shushi, WorkFileState::Short));
  EXPECT_FALSE(exists(tallyKindInfo(TallyKind::Shushi).archive));
}

// ---------------------------------------------------------------- empty, damaged, full

namespace {

// Archive and index as found on disk (sizes in whole copies or entries plus stray bytes),
// and what the list, showing and deleting make of them.
struct FilesCase {
  const char* name;
  std::size_t copies, archiveTail;  // whole copies of the rank tally, then stray bytes
  std::size_t entries, indexTail;   // whole 64-byte entries, then stray bytes
  std::size_t listed;               // lines in the list
  std::vector<bool> shows;          // whether line i (0 ... listed) shows
  bool sound;                       // saving and deleting write (else both are refused)
};

const FilesCase kFilesCases[] = {
    {"BothEmpty", 0, 0, 0, 0, 0, {false}, true},
    {"EmptyArchive", 0, 0, 2, 0, 2, {false, false, false}, false},
    {"EmptyIndex", 2, 0, 0, 0, 0, {false}, false},
    {"IndexEndsInAPartEntry", 2, 0, 2, 10, 2, {true, true, false}, true},
    {"ArchiveEndsInAPartCopy", 2, 100, 2, 0, 2, {true, true, false}, false},
    {"IndexLongerThanArchive", 1, 0, 3, 0, 3, {true, false, false, false}, false},
    {"ArchiveLongerThanIndex", 3, 0, 1, 0, 1, {true, false}, false},
};

struct SavedFiles : ::testing::TestWithParam<FilesCase> {};

}  // namespace

TEST_P(SavedFiles, ListShowDeleteAndSaveKeepEveryCopyWithItsEntryOrRefuse) {
  const FilesCase& c = GetParam();
  LedgerBuilder ledger{{2001}};
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  const TallyKindInfo& info = tallyKindInfo(TallyKind::Rank);
  Bytes a, i;
  for (std::size_t k = 0; k < c.copies; ++k) {
    const Bytes w = workFile(TallyKind::Rank, static_cast<int>(k));
    a.insert(a.end(), w.begin(), w.end());
  }
  a.insert(a.end(), c.archiveTail, 0x5A);
  for (std::size_t k = 0; k < c.entries; ++k) {
    const auto e = indexEntry(TallyKind::Rank, workFile(TallyKind::Rank, static_cast<int>(k)).data());
    i.insert(i.end(), e.begin(), e.end());
  }
  i.insert(i.end(), c.indexTail, 0x5A);
  ledger.write(info.archive, a);
  ledger.write(info.index, i);

  EXPECT_EQ(savedLabels(ds, TallyKind::Rank).size(), c.listed);
  const Bytes before = workFile(TallyKind::Rank, 50);
  for (std::size_t line = 0; line < c.shows.size(); ++line) {
    ledger.write(info.workFile, before);
    port.messages.clear();
    const bool shown = restoreSavedResult(ds, port, TallyKind::Rank, static_cast<int>(line));
    EXPECT_EQ(shown, c.shows[line]) << "line " << line;
    if (shown) {
      EXPECT_EQ(ledger.read(info.workFile), workFile(TallyKind::Rank, static_cast<int>(line)));
    } else {
      EXPECT_EQ(port.lastText(), kSavedBrokenMessage);
      EXPECT_EQ(ledger.read(info.workFile), before);
    }
  }

  // Files out of step are refused whole: neither a save nor a deletion writes them.
  ledger.write(info.workFile, before);
  if (!c.sound) {
    EXPECT_FALSE(saveTallyResult(ds, port, TallyKind::Rank));
    EXPECT_FALSE(deleteSavedResult(ds, port, TallyKind::Rank, 0));
    EXPECT_EQ(ledger.read(info.archive), a);
    EXPECT_EQ(ledger.read(info.index), i);
    EXPECT_FALSE(checkSaved(ds, TallyKind::Rank).problem.empty());
    return;
  }
  // A new save keeps every copy with its entry and adds its own after them.
  ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Rank));
  const std::size_t kept = std::min(c.copies, c.entries);
  ASSERT_EQ(ledger.read(info.archive).size(), (kept + 1) * 6697);
  ASSERT_EQ(ledger.read(info.index).size(), (kept + 1) * 64);
  EXPECT_EQ(slice(ledger.read(info.archive), kept * 6697, 6697), before);
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Rank, static_cast<int>(kept)));
  EXPECT_EQ(ledger.read(info.workFile), before);

  // Deleting the first line leaves the files in step, the new copy last.
  ASSERT_TRUE(deleteSavedResult(ds, port, TallyKind::Rank, 0));
  EXPECT_EQ(ledger.read(info.archive).size(), kept * 6697);
  EXPECT_EQ(ledger.read(info.index).size(), kept * 64);
  if (kept > 0) {
    ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Rank, static_cast<int>(kept) - 1));
    EXPECT_EQ(ledger.read(info.workFile), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, SavedFiles, ::testing::ValuesIn(kFilesCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(Saved, AFullArchiveOfManyItemTalliesKeepsItsOrderThroughSavesAndDeletes) {
  // 400 item tallies (5.4 MB); the plain list says which copy each line must show.
  const TallyKindInfo& info = tallyKindInfo(TallyKind::Koumoku);
  Bytes a, i;
  std::vector<int> model;
  for (int k = 0; k < 400; ++k) {
    const Bytes w = workFile(TallyKind::Koumoku, k);
    a.insert(a.end(), w.begin(), w.begin() + 13552);
    const auto e = indexEntry(TallyKind::Koumoku, w.data());
    i.insert(i.end(), e.begin(), e.end());
    model.push_back(k);
  }
  ledger.write(info.archive, a);
  ledger.write(info.index, i);
  save(TallyKind::Koumoku, 400);
  model.push_back(400);
  for (int line : {0, 399, 200}) {
    ASSERT_TRUE(deleteSavedResult(ds, port, TallyKind::Koumoku, line));
    model.erase(model.begin() + line);
  }
  ASSERT_EQ(archive(TallyKind::Koumoku).size(), model.size() * 13552);
  ASSERT_EQ(savedLabels(ds, TallyKind::Koumoku).size(), model.size());
  for (std::size_t line : {std::size_t{0}, std::size_t{199}, model.size() - 1}) {
    ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Koumoku, static_cast<int>(line)));
    EXPECT_EQ(slice(work(TallyKind::Koumoku), 0, 13552), slice(workFile(TallyKind::Koumoku, model[line]), 0, 13552))
        << "line " << line;
  }
}

// ---------------------------------------------------------------- index entries

TEST(SavedIndexEntry, TextFromTheThirteenthByteOfTheStamp) {
  struct Case {
    const char* stamp;  // CP932 written into the work file's stamp
    Bytes entry;        // the entry's text bytes
  };
  const Case cases[] = {
      {"\x8F\x57\x8C\x76\x93\xFA\x8E\x9E    2001\x94\x4E", {'2', '0', '0', '1', 0x94, 0x4E}},
      {"\x8F\x57\x8C\x76\x93\xFA\x8E\x9E    ", {}},  // exactly the lead: an empty entry
      {"short", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    Bytes w = workFile(TallyKind::Jyoken, 0);
    std::fill(w.begin() + 231, w.end(), 0);
    std::memcpy(w.data() + 231, c.stamp, std::strlen(c.stamp));
    const auto e = indexEntry(TallyKind::Jyoken, w.data());
    EXPECT_EQ(Bytes(e.begin(), e.begin() + static_cast<std::ptrdiff_t>(c.entry.size())), c.entry) << c.stamp;
    for (std::size_t k = c.entry.size(); k < 64; ++k) ASSERT_EQ(e[k], 0) << c.stamp;
  }
}

// ---------------------------------------------------------------- work files

struct WorkCase {
  TallyKind kind;
  std::size_t offset;  // where to damage; SIZE_MAX: cut the file instead
  std::uint32_t value;
  std::size_t cutTo;
  WorkFileState want;
};

class WorkFileCheck : public ::testing::TestWithParam<WorkCase> {};

TEST_P(WorkFileCheck, MissingShortAndDamagedFilesAreNamed) {
  const WorkCase& c = GetParam();
  LedgerBuilder ledger{{2001}};
  LedgerCursor ds = ledger.open();
  Bytes w = workFile(c.kind, 1);
  if (c.cutTo != 0) w.resize(c.cutTo);
  if (c.offset != SIZE_MAX) bytes::putU32(w.data(), c.offset, c.value);
  ledger.write(tallyKindInfo(c.kind).workFile, w);
  EXPECT_EQ(workFileState(ds, c.kind), c.want);
}

constexpr std::uint32_t kNaN = 0x7FC00000u;
INSTANTIATE_TEST_SUITE_P(
    Kinds, WorkFileCheck,
    ::testing::Values(WorkCase{TallyKind::Shushi, SIZE_MAX, 0, 0, WorkFileState::Ok},
                      WorkCase{TallyKind::Shushi, SIZE_MAX, 0, 2359, WorkFileState::Short},
                      WorkCase{TallyKind::Shushi, 2292, 4, 0, WorkFileState::Damaged},      // mode 4
                      WorkCase{TallyKind::Shushi, 2292, 5, 0, WorkFileState::Damaged},      // a day, but day 0
                      WorkCase{TallyKind::Shushi, 1144, kNaN, 0, WorkFileState::Damaged},   // a rate NaN
                      WorkCase{TallyKind::Koumoku, SIZE_MAX, 0, 13552, WorkFileState::Ok},  // a saved copy
                      WorkCase{TallyKind::Koumoku, SIZE_MAX, 0, 13551, WorkFileState::Short},
                      WorkCase{TallyKind::Koumoku, 10296, 2, 0, WorkFileState::Damaged},           // mode 2
                      WorkCase{TallyKind::Koumoku, 10300, 0x41414141, 0, WorkFileState::Damaged},  // year "AAAA"
                      WorkCase{TallyKind::Rank, SIZE_MAX, 0, 0, WorkFileState::Ok},
                      WorkCase{TallyKind::Rank, SIZE_MAX, 0, 6696, WorkFileState::Short},
                      WorkCase{TallyKind::Rank, 6624, 0, 0, WorkFileState::Damaged},  // code 0
                      WorkCase{TallyKind::Rank, 0, 13, 0, WorkFileState::Damaged},    // month 13 in row 0
                      WorkCase{TallyKind::Jyoken, SIZE_MAX, 0, 0, WorkFileState::Ok},
                      WorkCase{TallyKind::Jyoken, SIZE_MAX, 0, 294, WorkFileState::Short},
                      WorkCase{TallyKind::Jyoken, 192, 2, 0, WorkFileState::Damaged},           // range flag 2
                      WorkCase{TallyKind::Jyoken, 201, 0x0001000B, 0, WorkFileState::Damaged},  // kind 11 in the list
                      WorkCase{TallyKind::Jyoken, 201, 0x000D0001, 0, WorkFileState::Damaged},  // month 13
                      WorkCase{TallyKind::Jyoken, 229, 6, 0, WorkFileState::Damaged}));         // bet type 6

TEST(WorkFileCheck, AMissingFileAndTheMessages) {
  LedgerBuilder ledger{{2001}};
  LedgerCursor ds = ledger.open();
  EXPECT_EQ(workFileState(ds, TallyKind::Jyoken), WorkFileState::Missing);
  ScriptedPort port;
  EXPECT_FALSE(loadJyokenFile(ds, port).has_value());
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].title, "確認");
  EXPECT_EQ(port.messages[0].text, "条件集計結果の作業ﾌｧｲﾙ tmp/jyoken.tmp がありません。\n\n集計をやり直して下さい。");
  EXPECT_EQ(workFileMessage(TallyKind::Rank, WorkFileState::Short),
            "RANK集計結果の作業ﾌｧｲﾙ tmp/rank.tmp が途中で切れています。\n\n集計をやり直して下さい。");
  EXPECT_EQ(workFileMessage(TallyKind::Koumoku, WorkFileState::Damaged),
            "項目集計結果の作業ﾌｧｲﾙ tmp/koumoku.tmp の内容に異常があります。\n\n集計をやり直して下さい。");
}

// ---------------------------------------------------------------- crash and failure

namespace {

// The standard file layer on which no new file can be created.
class NoNewFilesFs : public FileSystem {
 public:
  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (mode == OpenMode::CreateNew) return nullptr;
    return FileSystem::open(p, mode);
  }
};

}  // namespace

// Runs `change` on a file layer that stops dead after k operations (k = 0, 1, ...; what
// follows the stop does not reach the disk, as in a crash), then opens the ledger again
// as the next run does and checks that `oldOrNew` holds, until the change runs through.
template <class Change, class Check>
void crashAtEveryStep(LedgerBuilder& ledger, TallyKind kind, Change change, Check oldOrNew) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const Bytes oldArchive = ledger.read(info.archive), oldIndex = ledger.read(info.index);
  bool finished = false;
  for (std::size_t k = 0; !finished && k < 400; ++k) {
    ledger.write(info.archive, oldArchive);
    ledger.write(info.index, oldIndex);
    fixture::FaultyFs crashing;
    crashing.stopAfter = k;
    crashing.realSync = false;
    LedgerCursor dying(ledger.root(), &crashing);
    finished = change(dying) && !crashing.stopped();
    recoverLedger(FileSystem::standard(), ledger.root());
    const Bytes a = ledger.read(info.archive), i = ledger.read(info.index);
    const bool old = a == oldArchive && i == oldIndex;
    ASSERT_TRUE(old || oldOrNew(a, i)) << "crash after step " << k;
    ASSERT_TRUE(!finished || !old) << "a change that ran through changed nothing";
  }
  EXPECT_TRUE(finished);
}

TEST_F(Saved, ACrashAtAnyStepOfADeletionLeavesTheOldPairOrTheNew) {
  for (int s : {1, 2, 3}) save(TallyKind::Shushi, s);
  crashAtEveryStep(
      ledger, TallyKind::Shushi, [&](LedgerCursor& d) { return deleteSavedResult(d, port, TallyKind::Shushi, 1); },
      [&](const Bytes& a, const Bytes& i) {
        return a.size() == 4720u && i.size() == 128u && slice(a, 2360, 2360) == workFile(TallyKind::Shushi, 3) &&
               i[64 + 19] == '3';
      });
  EXPECT_EQ(savedLabels(ds, TallyKind::Shushi).size(), 2u);
  EXPECT_EQ(shukeiFiles(), (std::set<std::string>{"shushi.dat", "shushi.tim"}));
}

TEST_F(Saved, ACrashAtAnyStepOfASaveLeavesTheOldPairOrTheNew) {
  save(TallyKind::Jyoken, 1);
  putWork(TallyKind::Jyoken, workFile(TallyKind::Jyoken, 2));
  crashAtEveryStep(
      ledger, TallyKind::Jyoken, [&](LedgerCursor& d) { return saveTallyResult(d, port, TallyKind::Jyoken); },
      [&](const Bytes& a, const Bytes& i) {
        return a.size() == 590u && i.size() == 128u && slice(a, 295, 295) == workFile(TallyKind::Jyoken, 2);
      });
  EXPECT_EQ(shukeiFiles(), (std::set<std::string>{"jyoken.dat", "jyoken.tim"}));
}

TEST_F(Saved, AnIndexThatCannotBeRenamedIsPutInPlaceAtTheNextOpen) {
  for (int s : {1, 2}) save(TallyKind::Rank, s);
  fixture::FaultyFs failing;
  const auto index = ledger.root() / tallyKindInfo(TallyKind::Rank).index;
  failing.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path& p) {
    return op == fixture::FaultyFs::Op::Rename && p == index;
  };
  LedgerCursor d(ledger.root(), &failing);
  EXPECT_FALSE(deleteSavedResult(d, port, TallyKind::Rank, 0));
  // The change was committed: the next open completes it.
  recoverLedger(FileSystem::standard(), ledger.root());
  EXPECT_EQ(savedLabels(ds, TallyKind::Rank), std::vector<std::string>{"2024年 6月 1日 9時 2分"});
  EXPECT_EQ(archive(TallyKind::Rank), workFile(TallyKind::Rank, 2));
  EXPECT_EQ(shukeiFiles(), (std::set<std::string>{"rank.dat", "rank.tim"}));
}

TEST_F(Saved, NewFilesThatCannotBeWrittenChangeNothing) {
  for (int s : {1, 2}) save(TallyKind::Koumoku, s);
  const Bytes oldArchive = archive(TallyKind::Koumoku), oldIndex = index(TallyKind::Koumoku);
  NoNewFilesFs failing;
  LedgerCursor ro(ledger.root(), &failing);
  port.messages.clear();
  EXPECT_FALSE(deleteSavedResult(ro, port, TallyKind::Koumoku, 0));
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].text, "保存集計結果削除用作業ﾌｧｲﾙが作成出来ません。\n\n処理を中止します。");
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  EXPECT_FALSE(saveTallyResult(ro, port, TallyKind::Koumoku));
  EXPECT_EQ(port.lastText(), kSavedSaveFailedMessage);
  EXPECT_EQ(archive(TallyKind::Koumoku), oldArchive);
  EXPECT_EQ(index(TallyKind::Koumoku), oldIndex);
  EXPECT_EQ(shukeiFiles(), (std::set<std::string>{"koumoku.dat", "koumoku.tim"}));
}

// ---------------------------------------------------------------- a pair that is not sound

namespace {

enum class Damage {
  IndexMissing,
  ArchiveMissing,
  IndexCannotOpen,
  IndexCannotRead,
  ArchiveCannotOpen,
  IndexOversized,
  SizesDisagree
};
enum class Action { Save, Delete, List };

struct DamageCase {
  const char* name;
  Damage damage;
  const char* detail;  // the message's second paragraph
};

const DamageCase kDamageCases[] = {
    {"IndexMissing", Damage::IndexMissing, "rank.tim がありません。"},
    {"ArchiveMissing", Damage::ArchiveMissing, "rank.dat がありません。"},
    {"IndexCannotOpen", Damage::IndexCannotOpen, "rank.tim を読み込めません。"},
    {"IndexCannotRead", Damage::IndexCannotRead, "rank.tim を読み込めません。"},
    {"ArchiveCannotOpen", Damage::ArchiveCannotOpen, "rank.dat を読み込めません。"},
    {"IndexOversized", Damage::IndexOversized, "rank.tim が大き過ぎます。"},
    {"SizesDisagree", Damage::SizesDisagree, "rank.dat (26788ﾊﾞｲﾄ) と rank.tim (5件) が合いません。"},
};

struct DamagedPair : ::testing::TestWithParam<std::tuple<DamageCase, Action>> {};

// A file's size and its first 400 bytes: enough to see any rewrite, cheap for 300 MB.
std::pair<std::uintmax_t, Bytes> fingerprint(const std::filesystem::path& p) {
  if (!std::filesystem::exists(p)) return {0, {}};
  Bytes head(400);
  std::FILE* f = std::fopen(p.c_str(), "rb");
  if (!f) return {std::filesystem::file_size(p), {}};
  head.resize(std::fread(head.data(), 1, head.size(), f));
  std::fclose(f);
  return {std::filesystem::file_size(p), head};
}

}  // namespace

TEST_P(DamagedPair, IsReportedAndNeitherFileIsWritten) {
  const auto& [c, action] = GetParam();
  LedgerBuilder ledger{{2001}};
  const TallyKindInfo& info = tallyKindInfo(TallyKind::Rank);
  const auto archivePath = ledger.root() / info.archive, indexPath = ledger.root() / info.index;
  {
    LedgerCursor ds = ledger.open();
    ScriptedPort port;
    for (int k = 0; k < 5; ++k) {
      ledger.write(info.workFile, workFile(TallyKind::Rank, k));
      ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Rank));
    }
  }
  fixture::FaultyFs fs;
  using Op = fixture::FaultyFs::Op;
  switch (c.damage) {
    case Damage::IndexMissing: std::filesystem::remove(indexPath); break;
    case Damage::ArchiveMissing: std::filesystem::remove(archivePath); break;
    case Damage::IndexCannotOpen:
      fs.fail = [&](Op op, const std::filesystem::path& p) { return op == Op::Open && p == indexPath; };
      break;
    case Damage::IndexCannotRead:
      fs.fail = [&](Op op, const std::filesystem::path& p) { return op == Op::Read && p == indexPath; };
      break;
    case Damage::ArchiveCannotOpen:
      fs.fail = [&](Op op, const std::filesystem::path& p) { return op == Op::Open && p == archivePath; };
      break;
    case Damage::IndexOversized: std::filesystem::resize_file(indexPath, std::uintmax_t{300} << 20); break;
    case Damage::SizesDisagree: std::filesystem::resize_file(archivePath, 4 * 6697); break;
  }
  const auto archiveBefore = fingerprint(archivePath), indexBefore = fingerprint(indexPath);
  LedgerCursor ds(ledger.root(), &fs);
  ScriptedPort port;
  const std::string problem = std::string("保存されているﾃﾞｰﾀに異常がありました。\n\n") + c.detail;
  switch (action) {
    case Action::Save:
      ledger.write(info.workFile, workFile(TallyKind::Rank, 9));
      EXPECT_FALSE(saveTallyResult(ds, port, TallyKind::Rank));
      break;
    case Action::Delete: EXPECT_FALSE(deleteSavedResult(ds, port, TallyKind::Rank, 0)); break;
    case Action::List: {
      const SavedCheck check = checkSaved(ds, TallyKind::Rank);
      EXPECT_EQ(check.problem, problem);
      EXPECT_EQ(check.entries, 0u);
      // The other kinds are not touched by the damage.
      EXPECT_EQ(checkSaved(ds, TallyKind::Shushi).problem, "");
      break;
    }
  }
  if (action != Action::List) {
    ASSERT_EQ(port.messages.size(), 1u);  // no question first
    EXPECT_EQ(port.messages[0].text, problem + "\n\n処理を中止します。");
    EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  }
  EXPECT_EQ(fingerprint(archivePath), archiveBefore);
  EXPECT_EQ(fingerprint(indexPath), indexBefore);
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(ledger.root() / "tovradatafile/shukei"))
    names.insert(e.path().filename().string());
  // Nothing is left beside the pair (no staged file, no commit mark).
  const std::set<std::string> pair{"rank.dat", "rank.tim"};
  EXPECT_TRUE(std::includes(pair.begin(), pair.end(), names.begin(), names.end()));
}

namespace {

std::string damageName(const ::testing::TestParamInfo<std::tuple<DamageCase, Action>>& p) {
  static const char* const kActions[] = {"Save", "Delete", "List"};
  return std::string(std::get<0>(p.param).name) + kActions[static_cast<int>(std::get<1>(p.param))];
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Damage, DamagedPair,
                         ::testing::Combine(::testing::ValuesIn(kDamageCases),
                                            ::testing::Values(Action::Save, Action::Delete, Action::List)),
                         damageName);

TEST_F(Saved, BothFilesMissingIsAnEmptySoundPair) {
  const SavedCheck check = checkSaved(ds, TallyKind::Koumoku);
  EXPECT_EQ(check.problem, "");
  EXPECT_EQ(check.entries, 0u);
  EXPECT_FALSE(deleteSavedResult(ds, port, TallyKind::Koumoku, 0));
  EXPECT_TRUE(port.messages.empty());
  save(TallyKind::Koumoku, 1);
  EXPECT_EQ(checkSaved(ds, TallyKind::Koumoku).entries, 1u);
}

// ---------------------------------------------------------------- the saved commands

TEST(SavedCli, ArgumentsAndExitCodes) {
  using tovra::testing::runCli;
  LedgerBuilder ledger{{2001}};
  const auto dir = ledger.root();
  EXPECT_EQ(runCli(dir, "saved list").out, "");
  ledger.write("tmp/shushi.tmp", workFile(TallyKind::Shushi, 5));
  // Without --yes the question cannot be answered here: refused, nothing written.
  auto r = runCli(dir, "saved save shushi");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "tovradatafile/shukei/shushi.dat"));
  EXPECT_EQ(runCli(dir, "--yes saved save shushi").exitCode, 0);
  EXPECT_EQ(runCli(dir, "--yes saved save shushi").exitCode, 0);
  EXPECT_EQ(runCli(dir, "saved list").out,
            "shushi\t0\t2024年 6月 1日 9時 5分\t全年 月別\nshushi\t1\t2024年 6月 1日 9時 5分\t全年 月別\n");
  EXPECT_EQ(runCli(dir, "--yes saved save wrong").exitCode, 1);
  EXPECT_EQ(runCli(dir, "--yes saved save rank").exitCode, 1);  // no rank work file
  r = runCli(dir, "saved show shushi 1");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "  収支集計   全ﾃﾞｰﾀ     全月");
  EXPECT_EQ(runCli(dir, "saved show shushi 2").exitCode, 1);
  EXPECT_EQ(runCli(dir, "saved show shushi -1").exitCode, 1);
  EXPECT_EQ(runCli(dir, "saved show jyoken 0").exitCode, 1);
  EXPECT_EQ(runCli(dir, "saved delete shushi 0").exitCode, 1);  // not confirmed
  EXPECT_EQ(runCli(dir, "--yes saved delete shushi 0").exitCode, 0);
  EXPECT_EQ(runCli(dir, "saved list").out, "shushi\t0\t2024年 6月 1日 9時 5分\t全年 月別\n");
  EXPECT_EQ(runCli(dir, "saved").exitCode, 1);
}

TEST(SavedCli, SaveListShowAndDeleteRoundTripByteForByte) {
  using tovra::testing::runCli;
  LedgerBuilder ledger{{2001}};
  const auto dir = ledger.root();
  for (TallyKind kind : kTallyKinds) {
    const TallyKindInfo& info = tallyKindInfo(kind);
    const std::string name = info.name;
    const Bytes first = workFile(kind, 11), second = workFile(kind, 12);
    for (const Bytes& w : {first, second}) {
      ledger.write(info.workFile, w);
      ASSERT_EQ(runCli(dir, "--yes saved save " + name).exitCode, 0) << name;
    }
    // The archive holds the copies (an item tally's first 13 552 bytes), the index their
    // 64-byte time entries.
    const std::size_t size = info.recordSize;
    const Bytes a = ledger.read(info.archive), i = ledger.read(info.index);
    ASSERT_EQ(a.size(), 2 * size) << name;
    EXPECT_EQ(slice(a, 0, size), slice(first, 0, size)) << name;
    EXPECT_EQ(slice(a, size, size), slice(second, 0, size)) << name;
    ASSERT_EQ(i.size(), 128u) << name;
    const auto e1 = indexEntry(kind, first.data()), e2 = indexEntry(kind, second.data());
    EXPECT_EQ(slice(i, 0, 64), Bytes(e1.begin(), e1.end())) << name;
    EXPECT_EQ(slice(i, 64, 64), Bytes(e2.begin(), e2.end())) << name;

    // show writes the copy back as the work file, whole.
    ASSERT_EQ(runCli(dir, "saved show " + name + " 0").exitCode, 0) << name;
    EXPECT_EQ(ledger.read(info.workFile), slice(first, 0, size)) << name;
    // delete keeps the other copy with its entry.
    ASSERT_EQ(runCli(dir, "--yes saved delete " + name + " 0").exitCode, 0) << name;
    EXPECT_EQ(ledger.read(info.archive), slice(second, 0, size)) << name;
    EXPECT_EQ(ledger.read(info.index), Bytes(e2.begin(), e2.end())) << name;
    ASSERT_EQ(runCli(dir, "saved show " + name + " 0").exitCode, 0) << name;
    EXPECT_EQ(ledger.read(info.workFile), slice(second, 0, size)) << name;
  }
  EXPECT_EQ(runCli(dir, "saved list").out,
            "shushi\t0\t2024年 6月 1日 9時12分\t全年 月別\nkoumoku\t0\t2024年 6月 1日 9時12分\t2001年\n"
            "rank\t0\t2024年 6月 1日 9時12分\t的中配当 全年\njyoken\t0\t2024年 6月 1日 9時12分\t全年 3月\n");
}

TEST(SavedCli, AnUnsoundPairIsReportedWithExitOneAndLeftAsItIs) {
  using tovra::testing::runCli;
  LedgerBuilder ledger{{2001}};
  const auto dir = ledger.root();
  for (int k = 0; k < 5; ++k) {
    ledger.write("tmp/rank.tmp", workFile(TallyKind::Rank, k));
    ASSERT_EQ(runCli(dir, "--yes saved save rank").exitCode, 0);
  }
  ledger.write("tmp/shushi.tmp", workFile(TallyKind::Shushi, 5));
  ASSERT_EQ(runCli(dir, "--yes saved save shushi").exitCode, 0);
  const Bytes archive = ledger.read("tovradatafile/shukei/rank.dat");
  std::filesystem::remove(dir / "tovradatafile/shukei/rank.tim");

  // The sound kind is still listed; the other one is reported, exit 1.
  auto r = runCli(dir, "saved list");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "shushi\t0\t2024年 6月 1日 9時 5分\t全年 月別\n");
  EXPECT_NE(r.err.find("保存されているﾃﾞｰﾀに異常がありました。"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("rank.tim がありません。"), std::string::npos) << r.err;
  const struct {
    const char* args;
    int exitCode;
  } kRuns[] = {
      {"--yes saved save rank", 1},
      {"--yes saved delete rank 0", 1},
      {"saved show rank 0", 1},
      {"--yes saved save shushi", 0},  // another kind saves as before
  };
  for (const auto& run : kRuns) {
    r = runCli(dir, run.args);
    EXPECT_EQ(r.exitCode, run.exitCode) << run.args;
    if (run.exitCode != 0) {
      EXPECT_NE(r.err.find("rank.tim がありません。"), std::string::npos) << run.args << r.err;
    }
  }
  EXPECT_EQ(ledger.read("tovradatafile/shukei/rank.dat"), archive);
  EXPECT_FALSE(std::filesystem::exists(dir / "tovradatafile/shukei/rank.tim"));
  EXPECT_EQ(ledger.read("tovradatafile/shukei/shushi.tim").size(), 128u);
}
