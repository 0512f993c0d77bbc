// The print sequence over a printer port: its four failure messages, the confirmation
// naming the printer, and the document drawn page by page; the jobs of the tally kinds
// read their work files.
#include <gtest/gtest.h>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "common/shown_day.hpp"
#include "features/print/print_job.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::print;
using tovra::testing::shownDay;
using tovra::testing::shownKey;

namespace {

// A printer that records what it is asked and fails where told.
struct FakePrinter : Printer {
  struct Log {
    std::vector<std::string> calls;
    int pages = 0, texts = 0;
  };
  std::optional<std::string> name = "LBP-3000";
  bool deviceOk = true, docOk = true, pageOk = true, endOk = true;
  Log log;

  struct Device : PrintDevice {
    FakePrinter& p;
    explicit Device(FakePrinter& printer) : p(printer) {}
    bool beginDocument(const std::string& n) override {
      p.log.calls.push_back("begin " + n);
      return p.docOk;
    }
    bool beginPage() override {
      ++p.log.pages;
      return p.pageOk;
    }
    void draw(const DrawText&) override { ++p.log.texts; }
    bool endDocument() override {
      p.log.calls.push_back("end");
      return p.endOk;
    }
  };
  std::optional<std::string> defaultPrinterName() override { return name; }
  std::unique_ptr<PrintDevice> openDefault() override {
    log.calls.push_back("open");
    if (!deviceOk) return nullptr;
    return std::make_unique<Device>(*this);
  }
};

PrintJob twoPageJob() {
  PrintJob job;
  job.kind = PrintKind::Race;
  job.confirmation = "text";
  job.document.pages = {Page{{200, 190, "a"}, {200, 360, "b"}}, Page{{200, 190, "c"}}};
  return job;
}

struct Asked {
  std::vector<std::pair<std::string, std::string>> asks;
  bool answer = true;
  Confirm confirm() {
    return [this](const std::string& text, const std::string& printer) {
      asks.emplace_back(text, printer);
      return answer;
    };
  }
};

}  // namespace

TEST(PrintJob, PrintsEveryPageAfterTheConfirmationNamingThePrinter) {
  FakePrinter printer;
  ScriptedPort port;
  Asked asked;
  EXPECT_TRUE(printOnDefault(printer, port, asked.confirm(), twoPageJob()));
  ASSERT_EQ(asked.asks.size(), 1u);
  EXPECT_EQ(asked.asks[0], (std::pair<std::string, std::string>{"text", "LBP-3000"}));
  EXPECT_EQ(printer.log.calls, (std::vector<std::string>{"open", "begin MyDoc", "end"}));
  EXPECT_EQ(printer.log.pages, 2);
  EXPECT_EQ(printer.log.texts, 3);
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(printerLabel("LBP-3000"), "現在のﾌﾟﾘﾝﾀ：  LBP-3000");
}

TEST(PrintJob, EachFailureEndsWithItsMessageAndNothingAfter) {
  struct Case {
    const char* what;
    void (*setup)(FakePrinter&, Asked&);
    const char* message;  // nullptr: silent stop
    bool asked;
    bool opened;
    int pages;  // pages begun
  };
  const Case cases[] = {
      {"no default printer", [](FakePrinter& p, Asked&) { p.name.reset(); }, kNoPrinterInfo, false, false, 0},
      {"empty printer name", [](FakePrinter& p, Asked&) { p.name = ""; }, kNoPrinterInfo, false, false, 0},
      {"cancelled", [](FakePrinter&, Asked& a) { a.answer = false; }, nullptr, true, false, 0},
      {"device", [](FakePrinter& p, Asked&) { p.deviceOk = false; }, kPrinterNotReady, true, true, 0},
      {"document", [](FakePrinter& p, Asked&) { p.docOk = false; }, kPrintFailed, true, true, 0},
      {"page", [](FakePrinter& p, Asked&) { p.pageOk = false; }, kPrintFailed, true, true, 1},
      {"end", [](FakePrinter& p, Asked&) { p.endOk = false; }, kPrintFailed, true, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePrinter printer;
    ScriptedPort port;
    Asked asked;
    c.setup(printer, asked);
    EXPECT_FALSE(printOnDefault(printer, port, asked.confirm(), twoPageJob()));
    EXPECT_EQ(asked.asks.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(!printer.log.calls.empty(), c.opened);
    EXPECT_EQ(printer.log.pages, c.pages);  // never a page after a failure
    if (!c.message) {
      EXPECT_TRUE(port.messages.empty());
      continue;
    }
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].title, "確認");
    EXPECT_EQ(port.messages[0].text, c.message);
    EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  }
  EXPECT_STREQ(kPrintFailed, "印刷：\n\n異常が発生しました。\n\n処理を中止します。");
  EXPECT_STREQ(kPrinterNotReady, "プリンタが正常に設定されていません。");
  EXPECT_STREQ(kNoPrinterInfo, "印刷するための情報が受け取れません。");
}

TEST(PrintJob, ConfirmationTextsOfTheSevenKinds) {
  LedgerCursor ds;
  ds.course = 4;
  ds.kaisai.tsukiHi = 605, ds.kaisai.kaiNichi = 304;
  EXPECT_EQ(confirmationText(PrintKind::Meeting, shownKey(ds), ds.kaisai),
            " 6月 5日 3回 4日目    東京競馬場の\n\n開催ﾃﾞｰﾀを印刷します。");
  EXPECT_EQ(confirmationText(PrintKind::Race, shownKey(ds), ds.kaisai, 10),
            " 6月 5日 3回 4日目  東京競馬場  11Rの\n\nﾚｰｽﾃﾞｰﾀを印刷します。");
  EXPECT_EQ(confirmationText(PrintKind::Runners, shownKey(ds), ds.kaisai, 0),
            " 6月 5日 3回 4日目  東京競馬場  1Rの\n\n出走馬を印刷します。");
  EXPECT_EQ(confirmationText(PrintKind::Shushi), "表示されている収支集計結果を\n\n印刷します。");
  EXPECT_EQ(confirmationText(PrintKind::Koumoku), "表示されている項目集計結果を\n\n印刷します。");
  EXPECT_EQ(confirmationText(PrintKind::Rank), "表示されているRANK集計結果を\n\n印刷します。");
  EXPECT_EQ(confirmationText(PrintKind::Jyoken), "表示されている条件集計結果を\n\n印刷します。");
}

TEST(PrintJob, PdfFileNamesTellWhatIsPrinted) {
  LedgerCursor ds;
  ds.year = "2001";
  ds.course = 4;
  ds.kaisai.tsukiHi = 605, ds.kaisai.kaiNichi = 304;
  const struct {
    PrintKind kind;
    int race;
    const char* name;
  } cases[] = {
      {PrintKind::Meeting, 0, "開催ﾃﾞｰﾀ_2001年6月5日_東京.pdf"},
      {PrintKind::Race, 10, "ﾚｰｽﾃﾞｰﾀ_2001年6月5日_東京_11R.pdf"},
      {PrintKind::Runners, 0, "出走馬_2001年6月5日_東京_1R.pdf"},
      {PrintKind::Shushi, 0, "収支集計結果.pdf"},
      {PrintKind::Koumoku, 0, "項目集計結果.pdf"},
      {PrintKind::Rank, 0, "RANK集計結果.pdf"},
      {PrintKind::Jyoken, 0, "条件集計結果.pdf"},
  };
  for (const auto& c : cases) EXPECT_EQ(pdfFileName(c.kind, shownKey(ds), ds.kaisai, c.race), c.name);
  EXPECT_EQ(meetingJob(shownKey(ds), shownDay(ds)).fileName, "開催ﾃﾞｰﾀ_2001年6月5日_東京.pdf");
  EXPECT_EQ(runnersJob(shownKey(ds), shownDay(ds), 2).fileName, "出走馬_2001年6月5日_東京_3R.pdf");
}

TEST(PrintJob, TallyJobsReadTheirWorkFilesAndRefuseWithoutOne) {
  tovra::testing::TempDir dir;
  LedgerCursor ds(dir.path());
  tovra::testing::makeLedger(ds, {2001});
  ScriptedPort port;
  EXPECT_FALSE(shushiJob(ds, port, 0, ds.year));
  EXPECT_FALSE(koumokuJob(ds, port, 10, 0));
  EXPECT_FALSE(rankJob(ds, port, 0));
  EXPECT_FALSE(jyokenJob(ds, port));
  ASSERT_EQ(port.messages.size(), 4u);
  EXPECT_EQ(port.lastText(), kNoTallyResult);

  tally::JyokenResult r;
  r.betType = 5;
  std::vector<std::uint8_t> bytes(tally::JyokenResult::kSize);
  r.encode(bytes.data());
  tovra::testing::writeBytes(dir / "tmp/jyoken.tmp", bytes);
  const auto job = jyokenJob(ds, port);
  ASSERT_TRUE(job);
  EXPECT_EQ(job->kind, PrintKind::Jyoken);
  EXPECT_EQ(job->confirmation, "表示されている条件集計結果を\n\n印刷します。");
  ASSERT_EQ(job->document.pages.size(), 1u);
  EXPECT_EQ(job->document.pages[0][2].text, "条件        馬連");
}
