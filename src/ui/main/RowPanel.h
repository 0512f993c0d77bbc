#pragma once
// A panel of a race row (race name, purchase column, balance column): a sunken text
// panel that reports double-clicks and right-button presses with its race index.
#include <QLabel>

namespace tovra {

class RowPanel : public QLabel {
  Q_OBJECT
 public:
  RowPanel(QWidget* parent, const char* name, int race);
  int race() const { return race_; }
  // Background and text colour.
  void setColours(const QColor& back, const QColor& text);

 signals:
  void doubleClicked(int race);
  void rightPressed(int race, const QPoint& globalPos);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int race_;
};

}  // namespace tovra
