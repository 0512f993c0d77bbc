#pragma once
// A printed page as a plain list of texts: each drawn from its top-left corner at a
// position in units of 1/300 inch, in one colour and one font size. The layouts of the
// seven print kinds build these lists; a back end (the printer, a PDF) only draws them,
// so every position can be checked without a printer.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovra::print {

// Page units: 300 to the inch, origin at the top left of the printable area.
inline constexpr int kUnitsPerInch = 300;
// The text height of every print. Half-width characters are half as wide (one cell),
// full-width ones as wide (two cells): a fixed-width Japanese font at this size puts the
// columns of the formatted figures where the layouts expect them.
inline constexpr int kFontSize = 60;
inline constexpr int kCellWidth = kFontSize / 2;
// The paper the layouts are made for (A4 at 300 units to the inch). Back ends scale a
// page down when the printable area is smaller.
inline constexpr int kPageWidth = 2480;
inline constexpr int kPageHeight = 3508;

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
// Refunded lines and scratched horses, in the race window's refund colour.
inline constexpr Rgb kGreen{0, 128, 0};

struct DrawText {
  int x = 0, y = 0;  // top-left corner, page units
  std::string text;  // UTF-8
  Rgb colour = kBlack;
  int size = kFontSize;
  bool operator==(const DrawText&) const = default;
};

using Page = std::vector<DrawText>;

// What one print puts on paper: one page, or more when its lists continue.
struct Document {
  std::vector<Page> pages;
};

// Appends a text to a page.
inline void put(Page& page, int x, int y, std::string text, Rgb colour = kBlack) {
  page.push_back(DrawText{x, y, std::move(text), colour, kFontSize});
}

// A rectangle in page units (right and bottom exclusive).
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Box&) const = default;
};

// Width of a text in cells (its Shift-JIS bytes).
int textCells(const std::string& utf8);
// The boxes of a text that ink covers: one per run of non-blank characters (half- and
// full-width blanks draw nothing, so a text may have a gap another text stands in).
std::vector<Box> inkBoxes(const DrawText& t);
// The box around all ink of a page (all zero for a page without ink).
Box inkExtent(const Page& page);
// The first two texts of a page whose ink overlaps, if any.
std::optional<std::pair<DrawText, DrawText>> findOverlap(const Page& page);

}  // namespace tovra::print
