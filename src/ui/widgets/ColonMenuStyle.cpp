#include "ui/widgets/ColonMenuStyle.h"

#include <QMenu>
#include <QStyleOptionMenuItem>
#include <algorithm>

#include "ui/widgets/Looks.h"

namespace tovra {

namespace {
constexpr QChar kColon(u'：');
}  // namespace

QString colonAlignedText(const QString& text, const QWidget* widget) {
  const auto* menu = qobject_cast<const QMenu*>(widget);
  const int colon = text.indexOf(kColon);
  if (!menu || colon < 0) return text;
  const QFontMetricsF fm(menu->font());
  qreal widest = 0;
  for (const QAction* a : menu->actions()) {
    const int c = a->text().indexOf(kColon);
    if (c >= 0) widest = std::max(widest, fm.horizontalAdvance(a->text().left(c)));
  }
  const qreal space = std::max<qreal>(1, fm.horizontalAdvance(QLatin1Char(' ')));
  const int pad = qRound((widest - fm.horizontalAdvance(text.left(colon))) / space);
  return QString(std::max(0, pad), QLatin1Char(' ')) + text;
}

void ColonMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || !item) return QProxyStyle::drawControl(element, option, painter, widget);
  QStyleOptionMenuItem shown(*item);
  shown.text = colonAlignedText(item->text, widget);
  QProxyStyle::drawControl(element, &shown, painter, widget);
}

QSize ColonMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                       const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || !item) return QProxyStyle::sizeFromContents(type, option, size, widget);
  // Room for the padded caption.
  const QFontMetrics fm(item->font);
  const int extra = fm.horizontalAdvance(colonAlignedText(item->text, widget)) - fm.horizontalAdvance(item->text);
  return QProxyStyle::sizeFromContents(type, option, size + QSize(extra, 0), widget);
}

void lineUpColons(QMenu* menu) {
  menu->setFont(figureFont(13));
  auto* style = new ColonMenuStyle;
  style->setParent(menu);
  menu->setStyle(style);
}

}  // namespace tovra
