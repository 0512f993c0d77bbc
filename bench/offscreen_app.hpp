#pragma once
// The Qt application of the window benchmarks: the forms drawn on the offscreen platform
// (unless QT_QPA_PLATFORM says otherwise), made once for the run, Qt's notes silenced (the
// offscreen platform cannot raise windows and says so every time).
#include <QApplication>

namespace tovra::bench {

inline QApplication& offscreenApp() {
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "window_bench";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace tovra::bench
