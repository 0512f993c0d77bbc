// 競走収支帖 トヴラ: the desktop program. The ledger lives in the folder it is started from.
#include "app/TovraProgram.h"

int main(int argc, char** argv) {
  tovra::TovraApplication app(argc, argv);
  return tovra::runProgram();
}
