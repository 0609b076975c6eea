#include "fonts.h"

#include <algorithm>

#include "twips.h"

namespace flurb::platform {
namespace {

bool installSubstitutes() {
  // A Palatino-style face whose ascent keeps the glyphs inside the character cell.
  QFont::insertSubstitution(QStringLiteral("Palladius"), QStringLiteral("P052"));
  // Metric-compatible with Arial.
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  return true;
}

}  // namespace

QFont toQFont(const FontSpec& spec, double twipsPerPixel) {
  static const bool kSubstitutesInstalled = installSubstitutes();
  static_cast<void>(kSubstitutesInstalled);
  QFont font(spec.family);
  font.setPixelSize(std::max(1, twipsToPixels(spec.points * kTwipsPerPoint, twipsPerPixel)));
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setStrikeOut(spec.strikeOut);
  return font;
}

}  // namespace flurb::platform
