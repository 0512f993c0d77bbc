// The program runs once per user.
#include <QTemporaryDir>
#include <QTest>

#include "app/SingleInstance.h"

using tovra::SingleInstance;

class SingleInstanceTest : public QObject {
  Q_OBJECT
 private slots:
  void secondStartIsRefusedUntilTheFirstEnds() {
    QTemporaryDir dir;
    auto first = std::make_unique<SingleInstance>(dir.path());
    QVERIFY(first->acquire());
    QVERIFY(first->lockPath().endsWith("競走収支帖  トヴラ.lock"));
    SingleInstance second(dir.path());
    QVERIFY(!second.acquire());
    first.reset();
    SingleInstance third(dir.path());
    QVERIFY(third.acquire());
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "singleinstance_test.moc"
