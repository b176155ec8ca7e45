#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QRect>

namespace tessarin {

/// The design's sizes are in twips; the window is laid out at 96 dots per
/// inch, where 15 twips make one pixel.
constexpr int TwipsToPixels(int twips) { return twips / 15; }
constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

/// The typefaces the design names. Where a system lacks one, the font falls
/// back to the closest it has: a metric twin (Liberation Sans for Arial,
/// Liberation Mono for Courier) or at least a sans-serif or fixed-pitch face.
enum class Face { kMsSansSerif, kCourier, kArial };
QFont DesignFont(Face face, double points, bool bold);

/// The system colour of an inactive title bar, and of its text. The toolkit
/// draws no title bars of its own, so the palette's nearest kin stand in:
/// the darker grey of bevels (Dark), and the light grey between button and
/// highlight (Midlight), which is what the classic inactive title bar and its
/// text were.
QColor InactiveTitleBarColor(const QPalette& palette);
QColor InactiveTitleBarTextColor(const QPalette& palette);

/// The program's icon, 16 x 16 and 32 x 32.
QIcon AppIcon();

}  // namespace tessarin
