#include "features/print/tally_print.hpp"

#include "storage/text.hpp"

namespace tovra::print {

void putTallyCell(Page& p, int y, const std::string& kou, const std::string& shu, const std::string& teki, bool plus) {
  std::string rate = sj(teki);
  if (rate.find_first_not_of(' ') == std::string::npos) {
    put(p, kTallyMoneyX, y, kou);  // nothing bought: no rate
  } else {
    if (rate.size() < 11) rate.insert(0, 11 - rate.size(), ' ');  // "%9.1f％" is eleven bytes
    put(p, kTallyMoneyX, y, kou + "              " + cp932ToUtf8(rate));
  }
  put(p, kTallyBalanceX, y, shu, plus ? kBlue : kBlack);
}

}  // namespace tovra::print
