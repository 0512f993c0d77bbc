#pragma once
// 競走収支帖 トヴラ: the start-up splash (no title bar)
// TOVRADIALOG: the picture shown for two seconds while the program starts. Its timer
// deletes it, so it never owns another window.
#include <QWidget>

namespace tovra {

// How long the splash stays at start-up (the main window is told; 0: no splash).
inline constexpr int kSplashMillis = 2000;

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SplashWindow(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tovra
