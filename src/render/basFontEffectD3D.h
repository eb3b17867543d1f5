#pragma once

#include "render/basTextStyles.h"

#include <QRectF>
#include <QString>

namespace pivlo {

// The nine animated headline effects. Each draws its text once into the text texture and
// then only moves, scales, clips and fades that texture over the picture in slot 1,
// paced against the effect clock. The numbers are the positions in the effect list and
// the effect numbers stored per picture.
enum HeadlineEffect : int {
  kHeadlineFade = 0,     // fades in
  kHeadlineWipe = 1,     // revealed left to right
  kHeadlineSlideIn = 2,  // slides in from one of four sides
  kHeadlineShake = 3,    // breathes horizontally after a pause
  kHeadlineStretch = 4,  // grows from a flat, wide line with a wobble
  kHeadlineEnlarge = 5,  // grows from a tenth of its size with an overshoot
  kHeadlineShrink = 6,   // shrinks from three times its size with a bounce
  kHeadlineJump = 7,     // jumps while growing, pauses, jumps while shrinking back
  kHeadlineGather = 8,   // square pieces fly together from scattered places
};
inline constexpr int kHeadlineEffectCount = 9;

// One headline to animate: the text drawn in the look (sizes already scaled to the
// canvas, colours ARGB) into the box, in canvas pixels. The box is rounded for drawing.
struct HeadlineItem {
  QString text;
  TextLook look;
  QRectF box;
};

// The routines. Each starts the same way: the still frame (all but the shake), the text
// texture, then the time that took (the preparation time) is taken off the first phase,
// unless it exceeds the effect's limit.
void HeadlineFade(const HeadlineItem& item);
void HeadlineWipe(const HeadlineItem& item);
// Variant 0 from the left, 1 from the top, 2 from the right, 3 from the bottom.
void HeadlineSlideIn(const HeadlineItem& item, int variant);
void HeadlineShake(const HeadlineItem& item);
void HeadlineStretch(const HeadlineItem& item);
void HeadlineEnlarge(const HeadlineItem& item);
void HeadlineShrink(const HeadlineItem& item);
void HeadlineJump(const HeadlineItem& item);
void HeadlineGather(const HeadlineItem& item);

// The routine of the effect (kHeadlineFade..kHeadlineGather); the variant goes to the
// slide-in. Other numbers do nothing.
void RunHeadlineEffect(int effect, const HeadlineItem& item, int variant);

// How long the effect runs when every frame is on time, in milliseconds.
int HeadlineDurationMs(int effect);

// The side of the gather's square pieces for a box width: 2 up to 200 pixels, 2 more for
// every further 200, at most 16.
int GatherPieceSize(int box_width);

}  // namespace pivlo
