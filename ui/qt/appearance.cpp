#include "ui/qt/appearance.h"

#include <QFontInfo>
#include <QStringList>

namespace tessarin {

QFont DesignFont(Face face, double points, bool bold) {
  QFont font;
  switch (face) {
    case Face::kMsSansSerif:
      font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                        QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
      font.setStyleHint(QFont::SansSerif);
      break;
    case Face::kCourier:
      font.setFamilies({QStringLiteral("Courier"), QStringLiteral("Courier New"),
                        QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
      font.setStyleHint(QFont::TypeWriter);
      font.setFixedPitch(true);
      break;
    case Face::kArial:
      font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                        QStringLiteral("DejaVu Sans")});
      font.setStyleHint(QFont::SansSerif);
      break;
  }
  font.setPointSizeF(points);
  font.setBold(bold);
  // MS Sans Serif runs about four per cent narrower than the faces that
  // stand in for it; narrowed as much, they keep the design's texts inside
  // the boxes drawn for them.
  // Set either way, so that no font inherits the narrowing of its parent's.
  const bool narrow =
      face == Face::kMsSansSerif && !QFontInfo(font).family().contains(u"Sans Serif");
  font.setStretch(narrow ? 96 : QFont::Unstretched);
  return font;
}

QColor InactiveTitleBarColor(const QPalette& palette) {
  return palette.color(QPalette::Inactive, QPalette::Dark);
}

QColor InactiveTitleBarTextColor(const QPalette& palette) {
  return palette.color(QPalette::Inactive, QPalette::Midlight);
}

QIcon AppIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/tessarin-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/icons/tessarin-32.png"), QSize(32, 32));
  return icon;
}

}  // namespace tessarin
