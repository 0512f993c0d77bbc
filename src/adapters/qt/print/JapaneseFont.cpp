#include "adapters/qt/print/JapaneseFont.h"

namespace tovra {

QFont japaneseFixedFont(int pixelSize) {
  QFont f(QStringLiteral("IPAGothic"));
  f.setStyleHint(QFont::Monospace, QFont::PreferDefault);
  f.setFixedPitch(true);
  f.setPixelSize(pixelSize);
  // Hinting would round the half-width advance and break the column grid at some sizes.
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

}  // namespace tovra
