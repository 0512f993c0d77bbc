#pragma once
// Draws the entries of a menu whose captions line up at their "：" ("%2dR ： ﾚｰｽ項目登録",
// "      ： 購入馬券登録"): in the fixed-width Japanese font, with the part before each
// "：" right-aligned to the widest such part, so that the colons stand in one column.
// The captions themselves stay as they are.
#include <QProxyStyle>

class QMenu;

namespace tovra {

class ColonMenuStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
};

// The caption as drawn: the part before its "：" padded on the left with blanks to the
// widest such part among the entries of `menu` (a caption without one as it is).
QString colonAlignedText(const QString& text, const QWidget* menu);

// Gives the menu the fixed-width font and this style (owned by the menu).
void lineUpColons(QMenu* menu);

}  // namespace tovra
