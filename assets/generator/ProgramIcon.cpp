// The program's icon in the desktop's icon theme: the mark the editor's window icon shows,
// drawn afresh at each size the theme holds instead of scaled from one picture.

#include "Assets.h"
#include "Drawing.h"

namespace pivlo::assets {
namespace {

QImage DrawProgramIcon(int size) {
  QImage image = NewImage(size, size);
  QPainter p(&image);
  Smooth(p);
  DrawBrandMark(p, QRectF(0, 0, size, size));
  return image;
}

}  // namespace

void AddProgramIcons(QList<Asset>& assets) {
  for (const int size : {PIVLO_ICON_SIZES}) {
    assets.append({QStringLiteral("pivlo-%1.png").arg(size), [size] { return DrawProgramIcon(size); }});
  }
}

}  // namespace pivlo::assets
