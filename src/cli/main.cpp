#include "cli/runner.hpp"
#ifdef TOVRA_HAVE_QTPRINT
#include "adapters/qt/print/QtPrintBackend.h"
#endif
#ifdef TOVRA_HAVE_QTCHART
#include "adapters/qt/chart/ChartPng.h"
#endif

int main(int argc, char** argv) {
#if defined(TOVRA_HAVE_QTPRINT) && defined(TOVRA_HAVE_QTCHART)
  return tovra::cli::run(argc, argv, tovra::makeQtPrintBackend, tovra::makeQtChartRenderer);
#elif defined(TOVRA_HAVE_QTPRINT)
  return tovra::cli::run(argc, argv, tovra::makeQtPrintBackend);
#else
  return tovra::cli::run(argc, argv);
#endif
}
