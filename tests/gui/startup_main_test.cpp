// The program's start-up as a user meets it: exactly what main() runs, splash and its
// timing included, in an empty folder, in a folder whose main.dat holds no year and in a
// ledger with data. A scripted user acts on the windows while the program runs its own
// event loop, and closes the main window to end the run.
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/TovraProgram.h"
#include "storage/paths.hpp"
#include "support/MessageScript.h"
#include "support/RaceLedger.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"

using namespace tovra;
using namespace tovra::test;

namespace {

// The visible top-level window of that name, if any.
QWidget* shownWindow(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
  return nullptr;
}

// Plays the user: steps run one after the other from the program's event loop, each
// polled every 20 ms until it reports done. A step that waits in vain for 15 s is a
// failure: the run is ended so that the test reports it.
class ScreenUser {
 public:
  using Step = std::function<bool()>;
  // The program tells this user everything through `port`.
  explicit ScreenUser(UserPort& port) : port_(port) {}
  void waitFor(const char* what, Step ready) { steps_.push_back({what, std::move(ready)}); }
  void act(const char* what, std::function<void()> action) {
    steps_.push_back({what, [action] {
                        action();
                        return true;
                      }});
  }
  // A user takes a while to read and type.
  void pause(int ms) {
    auto clock = std::make_shared<QElapsedTimer>();
    steps_.push_back({"a pause", [clock, ms] {
                        if (!clock->isValid()) clock->start();
                        return clock->elapsed() >= ms;
                      }});
  }
  void fail(const QString& why) { failures_ << why; }

  // Runs the program with this command line (by default: in the current folder) with
  // this user in front of it.
  int run(const QStringList& args = {"tovra"}) {
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    std::size_t next = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (next == steps_.size()) return;
      if (steps_[next].second()) {
        ++next;
        clock.restart();
      } else if (clock.elapsed() > 15000) {
        fail(QString("waited in vain for: ") + steps_[next].first);
        next = steps_.size();
        QApplication::exit(99);  // leaves every event loop, a dialog's included
      }
    });
    poll.start(20);
    const int rc = runProgram(args, port_);
    if (next < steps_.size()) fail(QString("the program ended before: ") + steps_[next].first);
    return rc;
  }
  QString failures() const { return failures_.join("; "); }

 private:
  UserPort& port_;
  std::vector<std::pair<const char*, Step>> steps_;
  QStringList failures_;
};

// Waits for the first-year dialog and the splash, and types the year only after the
// splash has closed: the dialog must outlive it.
void typeFirstYearAfterSplash(ScreenUser& user, const QString& year) {
  auto splash = std::make_shared<QPointer<QWidget>>();
  auto dialog = std::make_shared<QPointer<QWidget>>();
  user.waitFor("the splash", [=] { return !(*splash = shownWindow("TOVRADIALOG")).isNull(); });
  user.waitFor("the first-year dialog", [=] { return !(*dialog = shownWindow("NENTSUGIDIALOG")).isNull(); });
  user.waitFor("the splash to close", [=] { return splash->isNull() || !(*splash)->isVisible(); });
  user.pause(300);
  user.act("typing the year", [=, &user] {
    if (dialog->isNull() || !(*dialog)->isVisible()) {
      user.fail("the first-year dialog went away with the splash");
      QApplication::exit(99);
      return;
    }
    typeAndClick(*dialog, "Edit100", year, "TourokuBtn");
  });
}

// Waits for the main window, notes what the year box, course label and day panel show,
// and closes it, which ends the run.
struct MainWindowSeen {
  QString year, course, day, race11;
};
void readAndCloseMainWindow(ScreenUser& user, MainWindowSeen& seen) {
  auto main = std::make_shared<QPointer<QWidget>>();
  user.waitFor("the main window", [=] { return !(*main = shownWindow("MainForm")).isNull(); });
  user.act("closing the main window", [=, &seen] {
    seen.year = named<QComboBox>(*main, "ComboBox")->currentText();
    seen.course = named<QLabel>(*main, "JyoLabel")->text();
    seen.day = named<QLabel>(*main, "KaisaiPanel")->text();
    seen.race11 = named<QLabel>(*main, "RacePanel11")->text();
    (*main)->close();
  });
}

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int yearOfSlot0(const QByteArray& mainDat) {
  return mainDat.size() < 2 ? 0 : quint8(mainDat[0]) | quint8(mainDat[1]) << 8;
}

}  // namespace

class StartupMainTest : public QObject {
  Q_OBJECT
 public:
  // `port`: the port the application reports through, handed to every run.
  explicit StartupMainTest(ScriptedQtPort& port) : port_(port) {}

 private slots:
  void cleanup() { QDir::setCurrent(QDir::tempPath()); }

  void emptyFolderAsksFirstYearThenOpensIt() {
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    {
      ScreenUser user(port_);
      MainWindowSeen seen;
      typeFirstYearAfterSplash(user, "2001");
      readAndCloseMainWindow(user, seen);
      const int rc = user.run();
      QVERIFY2(user.failures().isEmpty(), qPrintable(user.failures()));
      QCOMPARE(rc, 0);
      QCOMPARE(seen.year, QString(" 2001年"));
      QCOMPARE(seen.course, QString("札幌競馬場"));
      QCOMPARE(seen.day, QString(" ------------------"));
    }
    QCOMPARE(yearOfSlot0(fileBytes("main.dat")), 2001);
    for (int c = 0; c < kCourseCount; ++c) {
      QCOMPARE(fileBytes(QString::fromStdString(meetingFilePath("2001", c))).size(), 864);
      QCOMPARE(fileBytes(QString::fromStdString(raceFilePath("2001", c))).size(), 22704);
    }
    // Closing wrote the settings.
    QCOMPARE(fileBytes("tovractm.dat").size(), 160);

    // The second start opens that year without asking.
    ScreenUser again(port_);
    MainWindowSeen seen;
    again.waitFor("the main window, no first-year dialog", [] {
      if (shownWindow("NENTSUGIDIALOG")) return false;
      return shownWindow("MainForm") != nullptr;
    });
    readAndCloseMainWindow(again, seen);
    QCOMPARE(again.run(), 0);
    QVERIFY2(again.failures().isEmpty(), qPrintable(again.failures()));
    QCOMPARE(seen.year, QString(" 2001年"));
  }

  void mainDatWithoutYearAsksAgain() {
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    // What a start that died in the first-year dialog left behind.
    QFile f("main.dat");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(42, '\0'));
    f.close();
    ScreenUser user(port_);
    MainWindowSeen seen;
    typeFirstYearAfterSplash(user, "1999");
    readAndCloseMainWindow(user, seen);
    const int rc = user.run();
    QVERIFY2(user.failures().isEmpty(), qPrintable(user.failures()));
    QCOMPARE(rc, 0);
    QCOMPARE(seen.year, QString(" 1999年"));
    QCOMPARE(yearOfSlot0(fileBytes("main.dat")), 1999);
  }

  void escapeOnAFirstStartEndsWritingNothing() {
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    ScreenUser user(port_);
    user.waitFor("the first-year dialog", [] { return shownWindow("NENTSUGIDIALOG") != nullptr; });
    user.act("pressing Escape", [] { QTest::keyClick(shownWindow("NENTSUGIDIALOG"), Qt::Key_Escape); });
    QCOMPARE(user.run(), 0);
    QVERIFY2(user.failures().isEmpty(), qPrintable(user.failures()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
  }

  void folderArgumentHoldsTheLedger() {
    QTemporaryDir here, elsewhere;
    QVERIFY(QDir::setCurrent(here.path()));
    const QString ledger = elsewhere.filePath("競馬/帳簿");
    // A folder that is not there is created after asking; declining ends the run.
    {
      MessageScript msgs(port_);
      msgs.answer({Answer::Cancel});
      ScreenUser user(port_);
      QCOMPARE(user.run({"tovra", ledger}), 1);
      QCOMPARE(msgs.lastText(), "ﾌｫﾙﾀﾞ " + ledger + " がありません。\n\n作成しますか？");
      QVERIFY(!QFileInfo::exists(ledger));
    }
    MessageScript msgs(port_);
    msgs.answer({Answer::Ok});
    ScreenUser user(port_);
    MainWindowSeen seen;
    typeFirstYearAfterSplash(user, "2001");
    readAndCloseMainWindow(user, seen);
    QCOMPARE(user.run({"tovra", ledger}), 0);
    QVERIFY2(user.failures().isEmpty(), qPrintable(user.failures()));
    QCOMPARE(seen.year, QString(" 2001年"));
    QCOMPARE(yearOfSlot0(fileBytes(ledger + "/main.dat")), 2001);
    QCOMPARE(fileBytes(ledger + "/tovractm.dat").size(), 160);
    // Nothing in the folder the program was started from.
    QCOMPARE(QDir(here.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
  }

  void ledgerWithDataOpensOnItsStartCourse() {
    RaceLedger ledger(2001, 4);
    RaceBlock races;
    races[10] = fullRace();
    KaisaiRecord k = TempLedger::day(12, 3, 3, 8);
    TempLedger::setRace(k, 10, 1, kFullRaceName, 0, 0);
    ledger.addMeeting(k, races);
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    ledger.writeSettings(s);
    const QString meetings = QString::fromStdString(meetingFilePath("2001", 4));
    const QByteArray before = ledger.readFile(meetings);
    QVERIFY(QDir::setCurrent(ledger.path()));

    ScreenUser user(port_);
    MainWindowSeen seen;
    user.waitFor("the splash", [] { return shownWindow("TOVRADIALOG") != nullptr; });
    readAndCloseMainWindow(user, seen);
    const int rc = user.run();
    QVERIFY2(user.failures().isEmpty(), qPrintable(user.failures()));
    QCOMPARE(rc, 0);
    QCOMPARE(seen.year, QString(" 2001年"));
    QCOMPARE(seen.course, QString("東京競馬場"));
    QCOMPARE(seen.day, QString(" 12月 3日 3回 8日目  "));
    QCOMPARE(seen.race11, QString(kFullRaceName));
    // Starting and closing reads the ledger and leaves it as it was.
    QCOMPARE(ledger.readFile(meetings), before);
  }

 private:
  ScriptedQtPort& port_;
};

int main(int argc, char** argv) {
  // The single-instance lock lives in the runtime folder: a private one, so that a
  // program the user runs meanwhile (or another test run) does not stop these starts.
  QTemporaryDir runtime;
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  ScriptedQtPort port;
  TovraApplication app(argc, argv, port);
  StartupMainTest test(port);
  return QTest::qExec(&test, argc, argv);
}

#include "startup_main_test.moc"
