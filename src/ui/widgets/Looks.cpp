#include "ui/widgets/Looks.h"

#include <QFontDatabase>
#include <QToolButton>
#include <QWidget>

#include "adapters/qt/print/JapaneseFont.h"
#include "storage/settings_record.hpp"

static void initTovraQrc() { Q_INIT_RESOURCE(tovra); }

#include <QLabel>
#include <algorithm>

namespace tovra {

QColor settingsColour(std::int32_t value) { return QColor(colourRed(value), colourGreen(value), colourBlue(value)); }

QColor headingColourOn(std::int32_t background) { return settingsColour(textColourOn(background)); }

void setTextColour(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, colour);
  w->setPalette(p);
}

QFont figureFont(int pixelSize) { return japaneseFixedFont(pixelSize); }

QIcon toolIcon(const char* themeName, const char* bundled) {
  initUiResources();
  QIcon fallback(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(bundled)));
  if (!themeName || !*themeName) return fallback;
  return QIcon::fromTheme(QLatin1String(themeName), fallback);
}

void initUiResources() {
  // Registering the same resources again changes nothing.
  initTovraQrc();
}

void setWholeText(QLabel* panel, const QString& text, int pixelSize) {
  const int room = panel->contentsRect().width() - 2 * std::max(0, panel->indent()) - 2;
  int size = pixelSize;
  while (size > 9 && QFontMetrics(figureFont(size)).horizontalAdvance(text) > room) --size;
  const QFont font = figureFont(size);
  panel->setFont(font);
  const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
  panel->setText(shown);
  panel->setToolTip(size < pixelSize || shown != text ? text : QString());
}

void paintBackground(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colour);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QToolButton* toolBarButton(QWidget* bar, int number, const char* hint, const char* themeName, const char* bundled,
                           int x) {
  auto* b = new QToolButton(bar);
  b->setObjectName(QStringLiteral("ToolBtn%1").arg(number));
  b->setToolTip(QString::fromUtf8(hint));
  b->setIcon(toolIcon(themeName, bundled));
  b->setIconSize(QSize(20, 20));
  b->setAutoRaise(true);
  b->setGeometry(x, 2, 28, 28);
  return b;
}

}  // namespace tovra
