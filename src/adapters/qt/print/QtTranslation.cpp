#include "adapters/qt/print/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tovra {

bool installQtJapanese(const QString& folder) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  if (app->findChild<QTranslator*>("qtbase_ja", Qt::FindDirectChildrenOnly)) return true;
  auto* translator = new QTranslator(app);
  translator->setObjectName("qtbase_ja");
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace tovra
