#include "features/print/print_common.hpp"

#include <algorithm>

#include "storage/text.hpp"

namespace tovra::print {

std::string dayHeading(const DayKey& key, const KaisaiRecord& k) {
  return sjprintfUtf8("%s年%2d月%2d日   %s   %d回 %d日目  ", sj(key.year).c_str(), k.month(), k.day(),
                      sj(keibajo(key.course).name).c_str(), k.kai(), k.nichi());
}

Rgb plusColour(std::int64_t balance) { return balance > 0 ? kBlue : kBlack; }

std::string fixedField(const std::string& utf8, std::size_t bytes) {
  std::string s = sj(utf8);
  while (s.size() > bytes && s.back() == ' ') s.pop_back();
  return cp932ToUtf8(s);
}

bool FlowColumn::moveIfFull() {
  const int limit = page_ == 0 ? area_.firstLimit : kPageHeight;
  if (y_ + kLinePitch <= limit) return false;
  ++page_;
  while (doc_.pages.size() <= page_) {
    Page next;
    for (const DrawText& t : doc_.pages.front())
      if (t.y < area_.headerBottom) next.push_back(t);
    doc_.pages.push_back(std::move(next));
  }
  // Another column may have opened this page already and placed lines on it.
  y_ = area_.nextTop;
  return true;
}

void FlowColumn::startList(int y, const std::string& caption) {
  if (page_ == 0)
    y_ = std::max(y_, y);
  else if (y_ > area_.nextTop)
    y_ += kLinePitch;
  caption_ = caption;
  moveIfFull();
  put(doc_.pages[page_], captionX_, y_, caption_);
}

void FlowColumn::line(const std::string& text, Rgb colour) {
  if (moveIfFull()) put(doc_.pages[page_], captionX_, y_, caption_);
  if (!text.empty()) put(doc_.pages[page_], lineX_, y_, text, colour);
  y_ += kLinePitch;
}

FlowRows::FlowRows(Document& doc, int headerBottom, int nextTop)
    : doc_(doc), headerBottom_(headerBottom), nextTop_(nextTop) {
  if (doc_.pages.empty()) doc_.pages.emplace_back();
  page_ = doc_.pages.size() - 1;
  // Just below the lowest text (a caption adds its blank line).
  int bottom = nextTop_;
  for (const DrawText& t : doc_.pages[page_]) bottom = std::max(bottom, t.y + t.size);
  y_ = bottom;
}

void FlowRows::newPage() {
  Page next;
  for (const DrawText& t : doc_.pages.front())
    if (t.y < headerBottom_) next.push_back(t);
  doc_.pages.push_back(std::move(next));
  page_ = doc_.pages.size() - 1;
  y_ = nextTop_;
  for (const Cell& c : captions_) {
    put(doc_.pages[page_], c.x, y_, c.text, c.colour);
    y_ += kLinePitch;
  }
}

void FlowRows::caption(int level, int x, const std::string& text, int keep) {
  captions_.resize(std::min(captions_.size(), static_cast<std::size_t>(level)));
  // A blank line above, unless it opens a page or follows its section's caption; the
  // caption goes to the next page when it and the rows kept with it do not fit.
  const int blank = y_ != nextTop_ && !afterCaption_ ? kLinePitch : 0;
  if (y_ + blank + (1 + keep) * kLinePitch > kPageHeight)
    newPage();
  else
    y_ += blank;
  put(doc_.pages[page_], x, y_, text);
  y_ += kLinePitch;
  captions_.push_back(Cell{x, text, kBlack});
  afterCaption_ = true;
}

void FlowRows::row(const std::vector<Cell>& cells) {
  if (y_ + kLinePitch > kPageHeight) newPage();
  afterCaption_ = false;
  for (const Cell& c : cells)
    if (!c.text.empty()) put(doc_.pages[page_], c.x, y_, c.text, c.colour);
  y_ += kLinePitch;
}

}  // namespace tovra::print
