#pragma once
// TOVRADIALOG: the picture shown for two seconds while the program starts. Its timer
// deletes it, so it never owns another window.
#include <QWidget>

namespace tovra {

class TTovraSplash : public QWidget {
  Q_OBJECT
 public:
  explicit TTovraSplash(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tovra
