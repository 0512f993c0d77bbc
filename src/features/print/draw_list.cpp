#include "features/print/draw_list.hpp"

#include <algorithm>

#include "storage/text.hpp"

namespace tovra::print {

namespace {

// The text's Shift-JIS bytes; every text of the layouts comes from Shift-JIS fields or
// the program's own formats, so the conversion does not fail (a stray character counts
// as one full-width cell pair).
std::string cp932Of(const std::string& utf8) {
  if (auto s = utf8ToCp932(utf8)) return *s;
  std::string approx;
  for (unsigned char ch : utf8)
    if ((ch & 0xC0) != 0x80) approx += ch < 0x80 ? std::string(1, static_cast<char>(ch)) : std::string("\x81\x48");
  return approx;
}

bool isBlank(const std::string& s, std::size_t i, std::size_t len) {
  if (len == 1) return s[i] == ' ';
  return static_cast<unsigned char>(s[i]) == 0x81 && static_cast<unsigned char>(s[i + 1]) == 0x40;  // 　
}

bool intersects(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

int textCells(const std::string& utf8) { return static_cast<int>(cp932Of(utf8).size()); }

std::vector<Box> inkBoxes(const DrawText& t) {
  const std::string s = cp932Of(t.text);
  const int cell = t.size / 2;
  std::vector<Box> boxes;
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t len = cp932CharLength(s, i);
    if (isBlank(s, i, len)) {
      i += len;
      continue;
    }
    const std::size_t start = i;
    while (i < s.size() && !isBlank(s, i, len = cp932CharLength(s, i))) i += len;
    boxes.push_back(Box{t.x + static_cast<int>(start) * cell, t.y, t.x + static_cast<int>(i) * cell, t.y + t.size});
  }
  return boxes;
}

Box inkExtent(const Page& page) {
  std::optional<Box> all;
  for (const DrawText& t : page)
    for (const Box& b : inkBoxes(t)) {
      if (!all) {
        all = b;
        continue;
      }
      all->left = std::min(all->left, b.left);
      all->top = std::min(all->top, b.top);
      all->right = std::max(all->right, b.right);
      all->bottom = std::max(all->bottom, b.bottom);
    }
  return all.value_or(Box{});
}

std::optional<std::pair<DrawText, DrawText>> findOverlap(const Page& page) {
  std::vector<std::pair<Box, std::size_t>> boxes;
  for (std::size_t i = 0; i < page.size(); ++i)
    for (const Box& b : inkBoxes(page[i])) boxes.emplace_back(b, i);
  for (std::size_t a = 0; a < boxes.size(); ++a)
    for (std::size_t b = a + 1; b < boxes.size(); ++b)
      if (boxes[a].second != boxes[b].second && intersects(boxes[a].first, boxes[b].first))
        return std::make_pair(page[boxes[a].second], page[boxes[b].second]);
  return std::nullopt;
}

}  // namespace tovra::print
