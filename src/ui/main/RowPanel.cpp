#include "ui/main/RowPanel.h"

#include <QMouseEvent>

namespace tovra {

RowPanel::RowPanel(QWidget* parent, const char* name, int race) : QLabel(parent), race_(race) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setAutoFillBackground(true);
  setTextFormat(Qt::PlainText);
  setIndent(3);
  setColours(Qt::white, Qt::black);
}

void RowPanel::setColours(const QColor& back, const QColor& text) {
  QPalette p = palette();
  p.setColor(QPalette::Window, back);
  p.setColor(QPalette::WindowText, text);
  setPalette(p);
}

void RowPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked(race_);
  QLabel::mouseDoubleClickEvent(event);
}

void RowPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightPressed(race_, event->globalPosition().toPoint());
  QLabel::mousePressEvent(event);
}

}  // namespace tovra
