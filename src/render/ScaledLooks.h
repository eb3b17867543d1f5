#pragma once

// Stored text styles and boxes as drawn on a screen of another size than the project's:
// boxes scaled both ways, fonts with the width, a font that is not installed replaced by
// the default one.

#include "core/ProjectTypes.h"
#include "render/basTextStyles.h"

#include <QRectF>
#include <QSize>
#include <QStringList>

namespace pivlo {

class ScaledLooks {
 public:
  ScaledLooks(QSize orig_screen, QSize screen);

  TextLook Look(const TextStyle& style) const;
  QRectF Box(const ScreenBox& box) const;

 private:
  QSize orig_screen_;
  QSize screen_;
  double sx_ = 1;
  double sy_ = 1;
  QStringList families_;  // the installed fonts, looked up once for the whole show
};

}  // namespace pivlo
