// 競走収支帖 トヴラ: the desktop program. The ledger lives in the folder it is started from.
#include <QApplication>

#include "forms/AppState.h"
#include "forms/FatalReport.h"
#include "forms/Mainunit.h"
#include "forms/SingleInstance.h"
#include "ledger/fatal_error.hpp"

namespace {

// A ledger file that cannot be opened is reported and ends the program wherever it
// happens, also inside a dialog's own event loop.
class TovraApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const tovra::FatalFileError& e) {
      tovra::reportFatalAndEnd(e);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  TovraApplication app(argc, argv);
  tovra::SingleInstance instance;
  if (!instance.acquire()) {
    QApplication::beep();
    return 0;
  }
  QApplication::setApplicationName("競走収支帖　トヴラ");
  QApplication::setApplicationVersion("6.32");

  tovra::appState().reset(".");
  // The main window; the race window and the condition tally dialog, which live for the
  // whole run, are created with it by their own units.
  tovra::TMainForm form;
  try {
    if (!form.startUp()) return 0;
  } catch (const tovra::FatalFileError& e) {
    tovra::reportFatalAndEnd(e);
  }
  form.show();
  return app.exec();
}
