#pragma once
// The fixed-width Japanese font of the windows' figures and of every print (IPAGothic):
// each half-width character one cell, each full-width one two, so lines formatted by
// Shift-JIS byte widths line up.
#include <QFont>

namespace tovra {

QFont japaneseFixedFont(int pixelSize);

}  // namespace tovra
