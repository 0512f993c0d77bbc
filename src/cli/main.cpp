#include "cli/runner.hpp"
#ifdef TOVRA_HAVE_QTPRINT
#include "forms/qtprint/QtPrintBackend.h"
#endif

int main(int argc, char** argv) {
#ifdef TOVRA_HAVE_QTPRINT
  return tovra::cli::run(argc, argv, tovra::makeQtPrintBackend);
#else
  return tovra::cli::run(argc, argv);
#endif
}
