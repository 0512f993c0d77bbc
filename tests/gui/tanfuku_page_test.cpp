// The 単勝・複勝 page the purchase and result dialogs share, for each of its two uses:
// the same named controls, the switch choosing the list 追加 and 削除 act on, reset().
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/MessageScript.h"
#include "support/Widgets.h"
#include "ui/entry/WinPlacePage.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

Q_DECLARE_METATYPE(tovra::WinPlacePage::Use)

class TanFukuPageTest : public QObject {
  Q_OBJECT
 private slots:
  void switchAndReset_data() {
    QTest::addColumn<WinPlacePage::Use>("use");
    QTest::addColumn<bool>("remaining");  // "あと n点" beside the captions
    QTest::newRow("purchase") << WinPlacePage::Use::Purchase << true;
    QTest::newRow("result") << WinPlacePage::Use::Result << false;
  }

  void switchAndReset() {
    QFETCH(WinPlacePage::Use, use);
    QFETCH(bool, remaining);
    ScriptedQtPort port;
    WinPlacePage page(use, port);
    QCOMPARE(page.objectName(), QString("Tab1"));
    auto* tanList = named<QListWidget>(&page, "TanListBox");
    auto* fukuList = named<QListWidget>(&page, "FukuListBox");
    QCOMPARE(page.list(BetType::Tan), tanList);
    QCOMPARE(page.list(BetType::Fuku), fukuList);
    QCOMPARE(page.amountField(), named<QLineEdit>(&page, "TanGakuEdit"));
    QCOMPARE(page.addButton(), named<QPushButton>(&page, "TanTsuikaBtn"));
    QCOMPARE(page.deleteButton(), named<QPushButton>(&page, "TanSakujyobtn"));
    QCOMPARE(page.findChild<QLabel*>("TanAtoLabel") != nullptr, remaining);
    QCOMPARE(page.findChild<QLabel*>("FukuAtoLabel") != nullptr, remaining);

    page.reset();
    QCOMPARE(page.type(), BetType::Tan);
    QCOMPARE(page.number(), 1);
    QVERIFY(tanList->isEnabled());
    QVERIFY(!fukuList->isEnabled());

    // 複勝 takes the input; the 単勝 list is greyed and keeps no selection for 削除.
    tanList->addItem("a");
    tanList->setCurrentRow(0);
    named<QRadioButton>(&page, "FukuBtn")->click();
    QCOMPARE(page.type(), BetType::Fuku);
    QVERIFY(fukuList->isEnabled());
    QVERIFY(!tanList->isEnabled());
    QVERIFY(tanList->selectedItems().isEmpty());

    named<RadioGroupBox>(&page, "TanGroup")->setItemIndex(17);
    QCOMPARE(page.number(), 18);
    page.amountField()->setText("25");
    QCOMPARE(page.amountText(), std::string("25"));

    page.reset();
    QCOMPARE(page.type(), BetType::Tan);
    QCOMPARE(page.number(), 1);
    QCOMPARE(page.amountText(), std::string());
    QVERIFY(tanList->isEnabled());
    QVERIFY(!fukuList->isEnabled());
  }

  void remainingBesideCaptions() {
    ScriptedQtPort port;
    WinPlacePage page(WinPlacePage::Use::Purchase, port);
    page.setRemaining(BetType::Tan, "あと 4点");
    page.setRemaining(BetType::Fuku, "あと 5点");
    QCOMPARE(named<QLabel>(&page, "TanAtoLabel")->text(), QString("あと 4点"));
    QCOMPARE(named<QLabel>(&page, "FukuAtoLabel")->text(), QString("あと 5点"));
    // The result page has no such labels; setting one changes nothing.
    WinPlacePage result(WinPlacePage::Use::Result, port);
    result.setRemaining(BetType::Tan, "あと 4点");
  }
};

QTEST_MAIN(TanFukuPageTest)
#include "tanfuku_page_test.moc"
