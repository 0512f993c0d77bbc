#pragma once
// The figure row the tally prints share, made of the panel texts their windows show.
#include <string>

#include "features/print/draw_list.hpp"

namespace tovra::print {

inline constexpr int kTallyMoneyX = 400, kTallyBalanceX = 1630;

// At (400, y) the purchase panel's "%10ld円  %9.1f％  %10ld円" and, fourteen blanks
// further, the hit rate "%9.1f％" (a narrower rate text is right-aligned to nine
// places); at (1630, y), in those blanks, the balance "%10ld円", blue when above 0.
void putTallyCell(Page& p, int y, const std::string& kou, const std::string& shu, const std::string& teki, bool plus);
// The same from a window's cell (any view with kou, shu, teki and plus).
template <typename Cell>
void putTallyCell(Page& p, int y, const Cell& c) {
  putTallyCell(p, y, c.kou, c.shu, c.teki, c.plus);
}

}  // namespace tovra::print
