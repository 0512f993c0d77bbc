// The program's objects belong to the run that made them: two main windows made side by
// side in one process, each over its own folder, show, change and store their own ledger
// and settings, and tell their own user.
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "storage/fileio.hpp"
#include "storage/settings_record.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/main/MainWindow.h"

using namespace tovra;
using namespace tovra::test;

class ProgramObjectsTest : public QObject {
  Q_OBJECT
 private slots:
  void twoProgramsSideBySideKeepToThemselves() {
    TempLedger a;
    a.registerYears({2001});
    a.writeMeetings(2001, 4, {TempLedger::day(5, 30, 2, 12)});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    a.writeSettings(s);
    TempLedger b;
    b.registerYears({1999});

    MainWindow first(a.app(), 0);
    MainWindow second(b.app(), 0);
    QVERIFY(first.startUp());
    QVERIFY(second.startUp());
    QCOMPARE(named<QComboBox>(&first, "ComboBox")->currentText(), QString(" 2001年"));
    QCOMPARE(named<QComboBox>(&second, "ComboBox")->currentText(), QString(" 1999年"));
    QCOMPARE(named<QLabel>(&first, "KaisaiPanel")->text(), QString("  5月30日 2回 12日目  "));

    // A refusal beeps for the user of its own window only.
    MessageScript userA(a.port()), userB(b.port());
    second.showRaceOfRow(0);  // no meeting there
    QCOMPARE(userB.beeps(), 1);
    QCOMPARE(userA.beeps(), 0);

    // A course chosen in one window leaves the other where it was.
    second.selectCourse(7);
    QCOMPARE(named<QLabel>(&second, "JyoLabel")->text(), QString("京都競馬場"));
    QCOMPARE(named<QLabel>(&first, "JyoLabel")->text(), QString("東京競馬場"));
    QCOMPARE(first.selection().course, 4);

    // Closing stores each window's settings in its own folder.
    a.app().settings.colours[kColMainBack] = colourFromRgb(1, 2, 3);
    first.close();
    second.close();
    QCOMPARE(loadSettings(FileSystem::standard(), a.root()).colours[kColMainBack], colourFromRgb(1, 2, 3));
    QCOMPARE(loadSettings(FileSystem::standard(), b.root()).colours[kColMainBack],
             SettingsRecord::defaults().colours[kColMainBack]);
    QCOMPARE(int(loadSettings(FileSystem::standard(), b.root()).startCourse), 0);
    QCOMPARE(userA.count() + userB.count(), 0);
  }
};

QTEST_MAIN(ProgramObjectsTest)
#include "program_objects_test.moc"
