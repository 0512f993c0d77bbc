#pragma once
// Pieces the tally result windows share: sunken one-line text panels in the figure font,
// rows of the three figure panels (purchase / recovery rate / return, balance, hit rate)
// beside their caption, and column headings set over those figures.
#include <QColor>
#include <QLabel>
#include <QString>
#include <vector>

#include "features/tally/tally_common.hpp"

namespace tovra {

// Figures are drawn 6 pixels a Shift-JIS byte.
inline constexpr int kShukeiFigurePx = 12;
inline constexpr int kShukeiRowH = 20;

// A sunken white panel of one line of text, black on white.
QLabel* shukeiPanel(QWidget* parent, const QString& name, const QRect& geometry,
                    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
// A caption label (plain, on the window's background).
QLabel* shukeiCaption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// Where the caption and the three panels of a figure row stand (x and width each).
struct FigureLayout {
  int captionX = 0, captionW = 0;
  int kouX = 0, kouW = 0;
  int shuX = 0, shuW = 0;
  int tekiX = 0, tekiW = 0;
  // The panels' widths for figures of `tekiCells` bytes ("%9.1f％" 11, "%6.1f％" 8), the
  // caption column `captionW` wide starting at x.
  static FigureLayout at(int x, int captionW, int tekiCells = 11);
  int right() const { return tekiX + tekiW; }
};

// One row: caption (may be missing) and the panels <prefix>KouPanel<suffix>,
// <prefix>ShuPanel<suffix>, <prefix>TekiPanel<suffix>.
struct FigureRow {
  QLabel* caption = nullptr;
  QLabel* kou = nullptr;
  QLabel* shu = nullptr;
  QLabel* teki = nullptr;
  bool plus = false;

  // The texts of a cell; the balance in the positive-balance colour when the cell says so.
  void set(const tally::CellView& cell, const QColor& plusColour);
  void recolour(const QColor& plusColour);
  void setVisible(bool visible);
  void clear();
};
FigureRow figureRow(QWidget* parent, const FigureLayout& l, int y, const QString& prefix, const QString& suffix,
                    const QString& captionName = {}, const QString& caption = {});

// Column headings over figure rows: the caption column's heading (when given), then
// "馬券購入額", "回収率", "回収金額" over the three figures of the purchase panel and "収支",
// "的中率" over theirs. text() is `text`, the words as the window's design gives them.
class FigureHeading : public QLabel {
 public:
  FigureHeading(QWidget* parent, const QString& name, const QString& text, const FigureRow& sample,
                const QString& captionWord, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  FigureRow sample_;
  QString captionWord_;
};

}  // namespace tovra
