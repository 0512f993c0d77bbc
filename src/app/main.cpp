// 競走収支帖 トヴラ: the desktop program. The ledger lives in the folder it is started from.
#include "app/TovraProgram.h"
#include "ui/common/QtUserPort.h"

int main(int argc, char** argv) {
  // The one user port of the run: made first, so that it outlives the application object
  // that reports through it.
  tovra::QtUserPort port;
  tovra::TovraApplication app(argc, argv, port);
  return tovra::runProgram(QCoreApplication::arguments(), port);
}
