#pragma once

#include <QString>

namespace pivlo {

// What the probe learns about a picture file. Format is the format tag: "BMP", "JPG",
// "GIF", "PNG", "TIF", "TGA", "PCX", or "UnKnown" for anything else.
struct ImageProbe {
  QString Format = QStringLiteral("UnKnown");
  qint32 Width = 0;
  qint32 Height = 0;
  qint32 Depth = 0;  // bits per pixel; 0 when unknown

  bool IsKnown() const { return Format != u"UnKnown"; }
};

}  // namespace pivlo
