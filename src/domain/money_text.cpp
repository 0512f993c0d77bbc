#include "domain/money_text.hpp"

#include "storage/text.hpp"

namespace tovra {

std::string yenText(std::int64_t yen, int width) { return sjprintfUtf8("%*ld円", width, static_cast<long>(yen)); }

std::string rateText(double rate, int width) { return sjprintfUtf8("%*.1f％", width, rate); }

std::string moneyRateLine(std::int64_t purchase, double rate, std::int64_t ret) {
  return yenText(purchase) + "  " + rateText(rate) + "  " + yenText(ret);
}

std::string slotLine(BetType t, int code, std::int64_t yen, const SlotLineColumns& columns) {
  const CodeLayout layout = betTypeInfo(t).layout;
  const auto i = static_cast<std::size_t>(layout);
  std::string codeText;
  switch (layout) {
    case CodeLayout::Single: codeText = sjprintfUtf8("%2d", code); break;
    case CodeLayout::Bracket: codeText = sjprintfUtf8("%d-%d", pairFirst(t, code), pairSecond(t, code)); break;
    case CodeLayout::Horses: codeText = sjprintfUtf8("%2d-%2d", pairFirst(t, code), pairSecond(t, code)); break;
  }
  return std::string(static_cast<std::size_t>(columns.lead[i]), ' ') + codeText +
         std::string(static_cast<std::size_t>(columns.gap[i]), ' ') + yenText(yen, columns.yenWidth);
}

}  // namespace tovra
