#include "ui/main/SplashWindow.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "ui/widgets/Looks.h"

namespace tovra {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("TOVRADIALOG");
  // Only a picture: it never takes the focus, so that nothing opened meanwhile (the
  // first-year dialog, a message) takes it for its owner.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(400, 220);
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent*) {
  // Drawn rather than loaded, so that it is sharp at every scale.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient turf(0, 0, 0, height());
  turf.setColorAt(0, QColor(0, 110, 40));
  turf.setColorAt(1, QColor(0, 60, 20));
  p.fillRect(rect(), turf);
  // The rail of a course, bending round the picture.
  p.setPen(QPen(QColor(255, 255, 255, 200), 3));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(18, 18, width() - 36, height() - 36), 60, 60);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawRoundedRect(QRectF(30, 30, width() - 60, height() - 60), 50, 50);

  p.setPen(Qt::white);
  QFont title = font();
  title.setPixelSize(30);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRectF(0, 52, width(), 44), Qt::AlignCenter, "競走収支帖 トヴラ");
  QFont sub = font();
  sub.setPixelSize(14);
  p.setFont(sub);
  p.setPen(QColor(255, 230, 120));
  p.drawText(QRectF(0, 104, width(), 24), Qt::AlignCenter, "JRA 平地競走 馬券収支帳");
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 150, width(), 22), Qt::AlignCenter, "Version 6.32");
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tovra
