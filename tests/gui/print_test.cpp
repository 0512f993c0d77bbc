// Printing from the windows: PrintDialog before the main window's and the race
// window's prints, ｷｬﾝｾﾙ and a missing printer printing nothing, PDF保存 writing the pages
// into the file named (also without a printer) and nothing when the file dialog is
// cancelled; the Qt back end drawing a page from its texts' top-left corners in their
// colours, and its PDF files going through the file layer.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "adapters/qt/print/QtPrintBackend.h"
#include "common/scripted_port.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "features/print/layouts.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/fileio.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceLedger.h"
#include "support/TallyLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/common/SaveFile.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TallyActions.h"
#include "ui/print/PrintActions.h"
#include "ui/race/RaceWindow.h"
#include "ui/tally/TallyWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

// A printer that keeps the pages it is given.
struct PaperPrinter : print::Printer {
  std::optional<std::string> name = "LBP-3000";
  int opened = 0;
  std::vector<print::Page> pages;
  struct Device : print::PrintDevice {
    PaperPrinter& p;
    explicit Device(PaperPrinter& printer) : p(printer) {}
    bool beginDocument(const std::string&) override { return true; }
    bool beginPage() override {
      p.pages.emplace_back();
      return true;
    }
    void draw(const print::DrawText& t) override { p.pages.back().push_back(t); }
    bool endDocument() override { return true; }
  };
  std::optional<std::string> defaultPrinterName() override { return name; }
  std::unique_ptr<print::PrintDevice> openDefault() override {
    ++opened;
    return std::make_unique<Device>(*this);
  }
  std::string firstText() const { return pages.empty() || pages[0].empty() ? "" : pages[0][0].text; }
  // The text printed at (x, y) on the first page.
  QString at(int x, int y) const {
    for (const print::DrawText& t : pages.empty() ? print::Page{} : pages[0])
      if (t.x == x && t.y == y) return QString::fromStdString(t.text);
    return "<nothing>";
  }
};

// Clicks a button of the next PrintDialog and keeps its two texts.
struct DialogAnswer {
  QString label, printer;
  void click(const char* button) {
    onNextModal([this, button](QWidget* dlg) {
      label = named<QLabel>(dlg, "Label")->text();
      printer = named<QLabel>(dlg, "PriLabel")->text();
      QCOMPARE(dlg->windowTitle(), QString("印刷"));
      shoot(dlg, "insatsu");
      named<QPushButton>(dlg, button)->click();
    });
  }
};

class RejectingFs : public FileSystem {
 public:
  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (mode != OpenMode::Read) return nullptr;
    return FileSystem::open(p, mode);
  }
  bool rename(const std::filesystem::path&, const std::filesystem::path&) override { return false; }
};

bool isInk(QRgb c) { return qRed(c) < 200 || qGreen(c) < 200 || qBlue(c) < 200; }

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { printer_ = PaperPrinter(); }

  void mainWindowPrintsTheMeetingDayAfterTheDialog() {
    RaceLedger l(2001, 5);
    l.port().testPrinter = &printer_;
    auto formPtr = mainWindowOnADay(l);
    MainWindow& form = *formPtr;
    DialogAnswer answer;
    answer.click("InsatsuBtn");
    named<QToolButton>(&form, "ToolBtn14")->click();
    QCOMPARE(answer.label, QString("12月23日 5回 8日目    中山競馬場の\n\n開催ﾃﾞｰﾀを印刷します。"));
    QCOMPARE(answer.printer, QString("現在のﾌﾟﾘﾝﾀ：  LBP-3000"));
    QCOMPARE(printer_.pages.size(), std::size_t(1));
    QCOMPARE(printer_.firstText(), std::string("競走収支帖 トヴラ  開催データ"));

    // ｷｬﾝｾﾙ prints nothing.
    printer_.pages.clear();
    answer.click("CancelBtn");
    named<QAction>(&form, "Print1")->trigger();
    QCOMPARE(printer_.opened, 1);
    QVERIFY(printer_.pages.empty());
  }

  void noDefaultPrinterStillOffersPdfAndPrintingGivesItsMessage() {
    RaceLedger l(2001, 5);
    l.port().testPrinter = &printer_;
    auto formPtr = mainWindowOnADay(l);
    MainWindow& form = *formPtr;
    printer_.name.reset();
    MessageScript script;
    DialogAnswer answer;
    answer.click("InsatsuBtn");
    named<QAction>(&form, "Print1")->trigger();
    QCOMPARE(answer.printer, QString("現在のﾌﾟﾘﾝﾀ：  "));
    QCOMPARE(script.count(), 1);
    QCOMPARE(script.lastText(), QString("印刷するための情報が受け取れません。"));
    QCOMPARE(script.lastTitle(), QString("確認"));
    QCOMPARE(script.lastIcon(), MsgIcon::Error);
    QCOMPARE(printer_.opened, 0);
  }

  void pdfSaveWritesTheSamePagesIntoTheFileNamed() {
    RaceLedger l(2001, 5);
    l.port().testPrinter = &printer_;
    auto formPtr = mainWindowOnADay(l);
    MainWindow& form = *formPtr;
    printer_.name.reset();  // no printer needed
    QTemporaryDir out;
    const QString path = out.filePath("day.pdf");
    QString caption, suggested;
    setSaveFileQuestion([&](const QString& c, const QString& name) {
      caption = c;
      suggested = name;
      return path;
    });
    MessageScript script;
    DialogAnswer answer;
    answer.click("PdfBtn");
    named<QToolButton>(&form, "ToolBtn14")->click();
    setSaveFileQuestion(nullptr);
    QCOMPARE(caption, QString("PDF保存"));
    QCOMPARE(suggested, QString("開催ﾃﾞｰﾀ_2001年12月23日_中山.pdf"));
    QCOMPARE(script.count(), 0);
    QCOMPARE(printer_.opened, 0);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
  }

  void pdfSaveCancelledInTheFileDialogWritesNothing() {
    RaceLedger l(2001, 5);
    l.port().testPrinter = &printer_;
    auto formPtr = mainWindowOnADay(l);
    MainWindow& form = *formPtr;
    QTemporaryDir out;
    bool asked = false;
    setSaveFileQuestion([&](const QString&, const QString&) {
      asked = true;
      return QString();
    });
    MessageScript script;
    DialogAnswer answer;
    answer.click("PdfBtn");
    named<QAction>(&form, "Print1")->trigger();
    setSaveFileQuestion(nullptr);
    QVERIFY(asked);
    QCOMPARE(script.count(), 0);
    QCOMPARE(printer_.opened, 0);
    QVERIFY(QDir(out.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(printer_.pages.empty());
  }

  void raceWindowPrintsTheRaceDataOrTheRunnersOfThePageOnTop() {
    RaceLedger l;
    l.port().testPrinter = &printer_;
    RaceBlock races{};
    races[10] = fullRace();
    l.addMeeting(TempLedger::day(12, 23, 5, 8), races);
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(l.ds().key(), 10);
    DialogAnswer answer;
    answer.click("InsatsuBtn");
    named<QToolButton>(&f, "ToolBtn6")->click();
    QCOMPARE(answer.label, QString("12月23日 5回 8日目  中山競馬場  11Rの\n\nﾚｰｽﾃﾞｰﾀを印刷します。"));
    QCOMPARE(printer_.firstText(), std::string("競走収支帖 トヴラ  レースデータ"));
    printer_.pages.clear();
    named<QTabWidget>(&f, "Page1")->setCurrentIndex(1);  // 出馬表
    answer.click("InsatsuBtn");
    named<QToolButton>(&f, "ToolBtn6")->click();
    QCOMPARE(answer.label, QString("12月23日 5回 8日目  中山競馬場  11Rの\n\n出走馬を印刷します。"));
    QCOMPARE(printer_.firstText(), std::string("競走収支帖 トヴラ  出走馬"));
  }

  void raceWindowPrintTakesTheLinesOfTheBetStore() {
    RaceLedger l;
    l.port().testPrinter = &printer_;
    RaceBlock races{};
    races[10] = fullRace();
    l.addMeeting(TempLedger::day(12, 23, 5, 8), races);
    const DayKey key = l.ds().key();
    // Race 11 and race 3 (nothing in its record) each hold a 馬単 line.
    for (int r : {10, 2})
      QVERIFY(buyLine(l.app().bets, raceKeyOf(key, l.ds().kaisai, r), l.ds().races[std::size_t(r)],
                      PurchaseLine::box(NewBetType::Umatan, {1, 2}, 3)));
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(key, 10);
    DialogAnswer answer;
    answer.click("InsatsuBtn");
    named<QToolButton>(&f, "ToolBtn6")->click();
    QCOMPARE(printer_.pages.size(), std::size_t(2));
    QCOMPARE(printer_.pages[1][3].text, std::string("馬単・3連複・3連単"));
    QCOMPARE(printer_.pages[1][4].text, std::string(" 1 馬単  ﾎﾞｯｸｽ    2点 ・ 合計 600円"));
    // Race 3 holds only the line: the print button is there and prints it.
    f.openRace(key, 2);
    QVERIFY(!named<QToolButton>(&f, "ToolBtn6")->isHidden());
    printer_.pages.clear();
    answer.click("InsatsuBtn");
    named<QToolButton>(&f, "ToolBtn6")->click();
    QCOMPARE(printer_.pages.size(), std::size_t(2));
    QCOMPARE(printer_.pages[1][2].text, std::string(" 3R     "));
  }

  void meetingPrintTakesTheLinesOfTheBetStore() {
    RaceLedger l;
    l.port().testPrinter = &printer_;
    auto formPtr = mainWindowOnADay(l);
    const DayKey key = l.ds().key();
    for (int r : {10, 2})
      QVERIFY(buyLine(l.app().bets, raceKeyOf(key, l.ds().kaisai, r), l.ds().races[std::size_t(r)],
                      PurchaseLine::box(NewBetType::Umatan, {1, 2}, 3)));
    DialogAnswer answer;
    answer.click("InsatsuBtn");
    named<QToolButton>(formPtr.get(), "ToolBtn14")->click();
    QCOMPARE(printer_.pages.size(), std::size_t(1));
    int lines = 0;
    for (const print::DrawText& t : printer_.pages[0]) lines += t.text == " 1 馬単  ﾎﾞｯｸｽ    2点 ・ 合計 600円";
    QCOMPARE(lines, 2);
    QCOMPARE(printer_.pages[0].back().text, std::string("     -1200円"));  // the day's 収支: no result yet
  }

  void newTypeRowsAreDrawnInTheHitAndRefundColours() {
    // Page 2 of a race print: a hit line in red, a refunded one in green.
    StoredRace s;
    StoredLine hit;
    hit.type = 0, hit.method = 0, hit.sets[0] = {1, 2}, hit.stake = 1, hit.points = 1;
    StoredLine refunded = hit;
    refunded.sets[0] = {3, 4};
    s.lines = {hit, refunded};
    s.winners = {{0, {1, 2, 0}, 1230}};
    s.scratched = {4};
    RaceLedger l;
    RaceBlock races{};
    races[10] = fullRace();
    l.addMeeting(TempLedger::day(12, 23, 5, 8), races);
    const RaceBets bets = raceBets(l.ds().races[10], s);
    const print::Document d = print::raceDocument(l.ds().key(), l.ds().day(), l.settings(), 10, &bets);
    QCOMPARE(d.pages.size(), std::size_t(2));
    QImage image(print::kPageWidth / 2, print::kPageHeight / 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      drawPrintPage(painter, d.pages[1], 0.5);
    }
    shootImage(image, "printpage-new-types.png");
    // Rows 60 units (30 pixels) apart from y 690: the hit line's three rows red, then the
    // refunded line's three green.
    auto inkOfRow = [&](int unitsY, auto pick) {
      int n = 0;
      for (int y = unitsY / 2; y < unitsY / 2 + 30; ++y)
        for (int x = 0; x < image.width(); ++x) n += pick(image.pixel(x, y));
      return n;
    };
    auto red = [](QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90; };
    auto green = [](QRgb c) { return qGreen(c) > 90 && qRed(c) < 60 && qBlue(c) < 60; };
    QVERIFY(inkOfRow(690, red) > 50);
    QCOMPARE(inkOfRow(690, green), 0);
    QVERIFY(inkOfRow(870, green) > 50);
    QCOMPARE(inkOfRow(870, red), 0);
  }

  void tallyWindowsPrintWhatTheyShow() {
    TallyLedger l;
    l.port().testPrinter = &printer_;
    DataStore& ds = appState().ds;
    ScriptedPort port;
    auto printFrom = [&](TallyWindow* w, const char* text) {
      printer_.pages.clear();
      DialogAnswer answer;
      answer.click("InsatsuBtn");
      named<QToolButton>(w, "ToolBtn2")->click();
      QCOMPARE(answer.label, QString(text));
      QCOMPARE(printer_.pages.size(), std::size_t(1));
    };
    QVERIFY(tally::runShushiTally(ds, port, tally::kShushiAllByMonth, 0, ds.yearNumber()));
    TallyWindow* w = l.main().tallies().showWindow(tally::TallyKind::Shushi);
    named<QScrollBar>(w, "ScrollBar")->setValue(6);
    printFrom(w, "表示されている収支集計結果を\n\n印刷します。");
    QCOMPARE(printer_.at(1000, 360), QString(" 6 月"));
    QCOMPARE(printer_.at(210, 630 + 85 * 4), QString("東京"));

    QVERIFY(tally::runKoumokuTally(ds, port, 0, 0));
    w = l.main().tallies().showWindow(tally::TallyKind::Koumoku);
    named<QToolButton>(w, "KaiBtn5")->click();
    named<QTabWidget>(w, "Page")->setCurrentIndex(1);
    printFrom(w, "表示されている項目集計結果を\n\n印刷します。");
    QCOMPARE(printer_.at(1000, 360), QString("東京競馬場"));
    QCOMPARE(printer_.at(130, 580), QString("年齢条件"));

    QVERIFY(tally::runRankTally(ds, port, tally::kRankRaceShushi, 0));
    printFrom(l.main().tallies().showWindow(tally::TallyKind::Rank), "表示されているRANK集計結果を\n\n印刷します。");
    QCOMPARE(printer_.at(200, 360).trimmed(), QString("レース別収支"));
    QCOMPARE(printer_.at(200, 630), QString(" 1位 "));

    tally::JyokenConditions june{};
    june[0] = {static_cast<std::int16_t>(tally::JyokenKind::Month), 6};
    QVERIFY(tally::runJyokenTally(ds, port, 0, 0, june));
    printFrom(l.main().tallies().showWindow(tally::TallyKind::Jyoken), "表示されている条件集計結果を\n\n印刷します。");
    QCOMPARE(printer_.at(200, 495), QString("条件        6月"));
  }

  void pagesAreDrawnFromTheTopLeftOfEachTextInItsColour() {
    // Half the layout's resolution: every unit is half a pixel.
    QImage image(print::kPageWidth / 2, print::kPageHeight / 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    const print::Page page{{200, 190, "競走収支帖 トヴラ", print::kBlack},
                           {400, 630, "      1000円      320.0％", print::kRed},
                           {1630, 630, "       2200円", print::kBlue}};
    {
      QPainter painter(&image);
      drawPrintPage(painter, page, printScale(page, QRectF(0, 0, image.width(), image.height()), 150));
    }
    shootImage(image);
    std::vector<print::Box> boxes;
    for (const print::DrawText& t : page)
      for (const print::Box& b : print::inkBoxes(t)) boxes.push_back(b);
    int red = 0, blue = 0, outside = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        if (!isInk(c)) continue;
        red += qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
        blue += qBlue(c) > 180 && qRed(c) < 90 && qGreen(c) < 90;
        // Each inked pixel lies in the box of a text's characters (a pixel of slack for
        // antialiasing).
        const int ux = 2 * x, uy = 2 * y;
        const bool inBox = std::any_of(boxes.begin(), boxes.end(), [&](const print::Box& b) {
          return ux >= b.left - 2 && ux < b.right + 2 && uy >= b.top - 2 && uy < b.bottom + 2;
        });
        outside += !inBox;
      }
    QVERIFY(red > 50);
    QVERIFY(blue > 50);
    QCOMPARE(outside, 0);
    // A page larger than the printable area is scaled down to fit it.
    QCOMPARE(printScale(page, QRectF(0, 0, 1000, 1000), 300), 1000.0 / (1630 + 13 * 30));
    QCOMPARE(printScale(page, QRectF(0, 0, 5000, 7000), 600), 2.0);
  }

  void aPrinterGetsEveryPageScaledToItsResolution() {
    // A printer writing its pages into a file instead of a spooler, at 1200 dpi with margins.
    QTemporaryDir dir;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(dir.filePath("printer.pdf"));
    printer->setResolution(1200);
    printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const QRectF printable = printer->pageLayout().paintRectPixels(1200);
    print::Page page{{200, 190, "競走収支帖 トヴラ"}, {2200, 3410, "[的中]", print::kRed}};
    // A4 less 10 mm a side (190 × 277 mm) is smaller than the page's ink (2380 × 3470
    // units, 7.9 × 11.6 inches): it shrinks to fit both ways.
    QCOMPARE(printScale(page, printable, 1200), std::min(printable.width() / 2380.0, printable.height() / 3470.0));
    QVERIFY(printScale(page, printable, 1200) < 4.0);
    auto device = printerDevice(std::move(printer));
    ScriptedPort port;
    QVERIFY(print::drawDocument(*device, port, print::Document{{page, page}}));
    QVERIFY(port.messages.empty());
    QFile pdf(dir.filePath("printer.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().contains("/Count 2"));
  }

  void pdfFilesGoThroughTheFileLayer() {
    auto backend = makeQtPrintBackend();
    print::Document doc{{print::Page{{200, 190, "競走収支帖 トヴラ"}}, print::Page{{200, 190, "2"}}}};
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath("out.pdf").toStdString();
    ScriptedPort port;
    RejectingFs rejecting;
    auto failing = backend->pdfFile(rejecting, path);
    QVERIFY(!print::drawDocument(*failing, port, doc));
    QCOMPARE(port.lastText(), std::string(print::kPrintFailed));
    QVERIFY(!std::filesystem::exists(path));

    auto device = backend->pdfFile(FileSystem::standard(), path);
    QVERIFY(print::drawDocument(*device, port, doc));
    std::vector<std::uint8_t> bytes;
    QVERIFY(readWholeFile(FileSystem::standard(), path, bytes));
    QVERIFY(bytes.size() > 500);
    QCOMPARE(std::string(bytes.begin(), bytes.begin() + 5), std::string("%PDF-"));
    QVERIFY(std::string(bytes.begin(), bytes.end()).find("/Count 2") != std::string::npos);  // two pages
  }

 private:
  // The main window started on a meeting day of 中山.
  static std::unique_ptr<MainWindow> mainWindowOnADay(RaceLedger& l) {
    l.addMeeting(TempLedger::day(12, 23, 5, 8), RaceBlock{});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 5;
    l.writeSettings(s);
    auto form = std::make_unique<MainWindow>(appState(), 0);
    if (!form->startUp()) qFatal("the main window did not start");
    return form;
  }
  void shootImage(const QImage& image, const char* name = "printpage.png") {
    const QByteArray dir = qgetenv("TOVRA_SHOT_DIR");
    if (!dir.isEmpty()) image.save(QString::fromLocal8Bit(dir) + "/" + name);
  }
  PaperPrinter printer_;
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
