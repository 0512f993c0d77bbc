#include "adapters/qt/print/OffscreenApp.h"

#include <QApplication>
#include <cstdio>

#include "adapters/qt/print/QtTranslation.h"

namespace tovra {

void ensureOffscreenApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 3;
  static char arg0[] = "tovra-cli", arg1[] = "-platform", arg2[] = "offscreen";
  static char* argv[] = {arg0, arg1, arg2, nullptr};
  // Qt's own notes (no runtime folder and the like) are not the tool's messages: its
  // failures are reported through the user port.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(msg));
  });
  new QApplication(argc, argv);
  // A dialog the tool opens speaks Japanese like the program's.
  installQtJapanese();
}

}  // namespace tovra
