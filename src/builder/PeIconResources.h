#pragma once

#include <QByteArray>

namespace pivlo {

// A new icon for a program: the first 12 bytes of its icon-file directory entry (width,
// height, colour count, reserved, planes, bits per pixel, image length) and the image.
struct IconImageData {
  QByteArray description;  // 12 bytes
  QByteArray image;
};

enum class IconReplacement {
  Replaced,
  Unchanged,  // nothing to replace: not a PE program, no resources, or none found where expected
  Failed,     // damaged resources, no icon image, or the new image does not fit
};

// Gives the PE program (32- or 64-bit) held in memory the new icon: the image overwrites
// the data of the first icon image in directory order, every icon group lists only the
// new image's description (keeping each entry's image identifier), and every icon image
// entry points at the overwritten data with the new length. A resource directory at a
// file offset below 309 counts as none. Offsets, sizes and counts are all checked, and
// the places written must lie apart, before anything is written: unless the result is
// Replaced the bytes are as they were.
IconReplacement ReplaceIconResources(QByteArray& program, const IconImageData& icon);

}  // namespace pivlo
