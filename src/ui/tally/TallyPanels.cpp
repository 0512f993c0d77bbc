#include "ui/tally/TallyPanels.h"

#include <QPainter>

#include "ui/widgets/Looks.h"

namespace tovra {

namespace {

constexpr int kCell = kShukeiFigurePx / 2;  // one Shift-JIS byte
constexpr int kPad = 12;                    // frame and indent on both sides of a panel's text
constexpr int kGap = 4;
constexpr int kIndent = 4;

}  // namespace

QLabel* shukeiPanel(QWidget* parent, const QString& name, const QRect& geometry, Qt::Alignment align) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setTextFormat(Qt::PlainText);
  l->setAlignment(align);
  l->setIndent(kIndent);
  l->setFont(figureFont(kShukeiFigurePx));
  l->setGeometry(geometry);
  paintBackground(l, Qt::white);
  setTextColour(l, Qt::black);
  return l;
}

QLabel* shukeiCaption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                      Qt::Alignment align) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setAlignment(align);
  l->setGeometry(geometry);
  return l;
}

FigureLayout FigureLayout::at(int x, int captionW, int tekiCells) {
  FigureLayout l;
  l.captionX = x;
  l.captionW = captionW;
  l.kouX = x + captionW + (captionW > 0 ? kGap : 0);
  l.kouW = 39 * kCell + kPad;  // "%10ld円  %9.1f％  %10ld円"
  l.shuX = l.kouX + l.kouW + kGap;
  l.shuW = 12 * kCell + kPad;  // "%10ld円"
  l.tekiX = l.shuX + l.shuW + kGap;
  l.tekiW = tekiCells * kCell + kPad;
  return l;
}

void FigureRow::set(const tally::CellView& cell, const QColor& plusColour) {
  kou->setText(QString::fromStdString(cell.kou));
  shu->setText(QString::fromStdString(cell.shu));
  teki->setText(QString::fromStdString(cell.teki));
  plus = cell.plus;
  recolour(plusColour);
}

void FigureRow::recolour(const QColor& plusColour) { setTextColour(shu, plus ? plusColour : QColor(Qt::black)); }

void FigureRow::setVisible(bool visible) {
  for (QLabel* l : {caption, kou, shu, teki})
    if (l) l->setVisible(visible);
}

void FigureRow::clear() {
  for (QLabel* l : {kou, shu, teki}) l->clear();
  plus = false;
  setTextColour(shu, Qt::black);
}

FigureRow figureRow(QWidget* parent, const FigureLayout& l, int y, const QString& prefix, const QString& suffix,
                    const QString& captionName, const QString& caption) {
  FigureRow r;
  if (!caption.isEmpty() || !captionName.isEmpty())
    r.caption = shukeiCaption(parent, captionName, caption, QRect(l.captionX, y, l.captionW, kShukeiRowH),
                              Qt::AlignRight | Qt::AlignVCenter);
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  r.kou = shukeiPanel(parent, prefix + "KouPanel" + suffix, QRect(l.kouX, y, l.kouW, kShukeiRowH));
  r.shu = shukeiPanel(parent, prefix + "ShuPanel" + suffix, QRect(l.shuX, y, l.shuW, kShukeiRowH), right);
  r.teki = shukeiPanel(parent, prefix + "TekiPanel" + suffix, QRect(l.tekiX, y, l.tekiW, kShukeiRowH), right);
  return r;
}

FigureHeading::FigureHeading(QWidget* parent, const QString& name, const QString& text, const FigureRow& sample,
                             const QString& captionWord, int y)
    : QLabel(text, parent), sample_(sample), captionWord_(captionWord) {
  setObjectName(name);
  setFont(figureFont(kShukeiFigurePx));
  const int left = sample.caption && !captionWord.isEmpty() ? sample.caption->x() : sample.kou->x();
  setGeometry(left, y, sample.teki->x() + sample.teki->width() - left, kShukeiRowH);
}

void FigureHeading::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(QPalette::WindowText));
  p.setFont(font());
  const int h = height();
  // Spans in this widget's coordinates.
  auto at = [&](int from, int to, const char* word, Qt::Alignment align) {
    p.drawText(QRect(from - x(), 0, to - from, h), int(align | Qt::AlignVCenter), QString::fromUtf8(word));
  };
  if (sample_.caption && !captionWord_.isEmpty())
    p.drawText(QRect(sample_.caption->x() - x(), 0, sample_.caption->width(), h), int(Qt::AlignCenter), captionWord_);
  // The purchase panel's figures end after 12, 25 and 39 cells of its text.
  const QLabel* kou = sample_.kou;
  const int text0 = kou->x() + kou->contentsRect().left() + kou->indent();
  const int cell = QFontMetrics(kou->font()).horizontalAdvance(QLatin1Char('0'));
  at(text0 - 2 * cell, text0 + 12 * cell, "馬券購入額", Qt::AlignRight);
  at(text0 + 12 * cell, text0 + 25 * cell, "回収率", Qt::AlignRight);
  at(text0 + 25 * cell, text0 + 39 * cell, "回収金額", Qt::AlignRight);
  // The balance and the hit rate end where their right-aligned panels put them.
  auto rightEnd = [](const QLabel* l) { return l->x() + l->contentsRect().right() - l->indent() + 1; };
  at(sample_.shu->x(), rightEnd(sample_.shu), "収支", Qt::AlignRight);
  at(sample_.teki->x() - 8, rightEnd(sample_.teki), "的中率", Qt::AlignRight);
}

}  // namespace tovra
