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

}  // namespace tovra::print
