#include "fonts.h"

#include <QString>

namespace flurb::platform::qt {
namespace {

bool installSubstitutes() {
  // A Palatino-style face whose ascent keeps the glyphs inside the character cell.
  QFont::insertSubstitution(QStringLiteral("Palladius"), QStringLiteral("P052"));
  // Metric-compatible with Arial.
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  return true;
}

}  // namespace

QFont toQFont(const FontSpec& spec, int pixelSize) {
  static const bool kSubstitutesInstalled = installSubstitutes();
  static_cast<void>(kSubstitutesInstalled);
  QFont font(QString::fromStdU16String(spec.family));
  font.setPixelSize(pixelSize);
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setStrikeOut(spec.strikeOut);
  return font;
}

}  // namespace flurb::platform::qt
