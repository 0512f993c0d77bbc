#pragma once
// Pieces the print layouts share: the title line, the day heading of the race prints,
// the balance colour, and a column of lines that continues on a next page.
#include <cstdint>
#include <string>
#include <vector>

#include "features/print/draw_list.hpp"

#include "storage/ledger.hpp"

namespace tovra::print {

// Every print starts with its title line here.
inline constexpr int kTitleX = 200, kTitleY = 190;
// The heading line of kinds 1-4 (the day, or the tally's range).
inline constexpr int kHeadingX = 200, kHeadingY = 360;
// Line pitch of lists.
inline constexpr int kLinePitch = 60;

// "%s年%2d月%2d日   %s   %d回 %d日目  " of a meeting day (the key's year and course).
std::string dayHeading(const DayKey& key, const KaisaiRecord& k);
// " %10ld円" and its colour: blue when above 0.
Rgb plusColour(std::int64_t balance);
// A text cut to its first `bytes` Shift-JIS bytes when only blanks are cut off
// (fixed-width fields of the race items keep their whole label otherwise).
std::string fixedField(const std::string& utf8, std::size_t bytes);

// Where a column of lines may go: on the first page down to `firstLimit` (where the
// totals stand), on a next page from `nextTop` down to the paper's end. A next page
// starts with the lines of the first page above `headerBottom` (title and headings).
struct FlowArea {
  int firstLimit;
  int nextTop;
  int headerBottom;
};

// A column of lists (a caption and lines 60 units apart). A line that would reach the
// limit goes to the top of the next page instead, with its list's caption drawn again
// there, so no line is drawn over the totals.
class FlowColumn {
 public:
  FlowColumn(Document& doc, const FlowArea& area, int captionX, int lineX)
      : doc_(doc), area_(area), captionX_(captionX), lineX_(lineX) {}
  // Starts a list with its caption beside its first line: on the first page at y, or
  // lower when the column's lines already reach further; on a next page one blank line
  // below the list before.
  void startList(int y, const std::string& caption);
  // The next line of the current list; an empty text leaves its place blank.
  void line(const std::string& text, Rgb colour = kBlack);
  // The y below the last line placed, and the page it is on.
  int y() const { return y_; }
  std::size_t page() const { return page_; }

 private:
  bool moveIfFull();

  Document& doc_;
  FlowArea area_;
  int captionX_, lineX_;
  std::size_t page_ = 0;
  int y_ = 0;
  std::string caption_;
};

// One text of a row of FlowRows.
struct Cell {
  int x = 0;
  std::string text;
  Rgb colour = kBlack;
};

// Rows across the page below everything a document holds, continuing on next pages. It
// starts below the lowest text of the document's last page (not above `nextTop`). A next
// page starts with the texts of the first page above `headerBottom` and then, from
// `nextTop`, the captions of the section its rows continue.
class FlowRows {
 public:
  FlowRows(Document& doc, int headerBottom, int nextTop);
  // A caption at `level` (0 a section, 1 a part of it): it ends the captions of its level
  // and deeper. It goes to the next page when it and the `keep` rows after it do not fit;
  // one blank line above it unless it opens a page or follows a caption.
  void caption(int level, int x, const std::string& text, int keep = 1);
  // A row of texts on one line.
  void row(const std::vector<Cell>& cells);
  int y() const { return y_; }
  std::size_t page() const { return page_; }

 private:
  // Opens the next page: the header, then the captions of the section going on.
  void newPage();

  Document& doc_;
  int headerBottom_, nextTop_;
  std::size_t page_ = 0;
  int y_ = 0;
  std::vector<Cell> captions_;  // the captions by level, repeated on a next page
  bool afterCaption_ = false;
};

}  // namespace tovra::print
