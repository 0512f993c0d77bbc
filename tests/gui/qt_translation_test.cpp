// Qt's own texts in Japanese: the translation is loaded once, and a program without it
// goes on in English.
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include "adapters/qt/print/QtTranslation.h"

using tovra::installQtJapanese;

class QtTranslationTest : public QObject {
  Q_OBJECT
 private slots:
  void aMissingTranslationIsNoFailure() {
    QTemporaryDir empty;
    QVERIFY(!installQtJapanese(empty.path()));
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), 0);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
  }

  // Runs after the missing case: the translation stays installed for the rest of the run.
  void standardDialogTextsBecomeJapanese() {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm"))
      QSKIP("qtbase_ja.qm is not installed here (qt6-translations-l10n)");
    const struct {
      const char* context;
      const char* text;
    } texts[] = {{"QFileDialog", "File &name:"}, {"QColorDialog", "&Basic colors"}, {"QPlatformTheme", "Cancel"}};
    for (const auto& t : texts) QCOMPARE(QCoreApplication::translate(t.context, t.text), QString(t.text));
    QVERIFY(installQtJapanese());
    for (const auto& t : texts) {
      const QString shown = QCoreApplication::translate(t.context, t.text);
      QVERIFY2(shown != t.text && shown.toUtf8() != shown.toLatin1(), qPrintable(shown));
    }
    // A second call (the CLI and the program share the code) adds no second translator.
    QVERIFY(installQtJapanese());
    QCOMPARE(qApp->findChildren<QTranslator*>().size(), 1);
  }
};

QTEST_MAIN(QtTranslationTest)
#include "qt_translation_test.moc"
