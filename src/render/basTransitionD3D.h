#pragma once

// The picture transitions. Each routine is a paced frame loop that composes, per frame, a
// few sprite draws of the outgoing picture (picture slot 1) and the incoming one (slot 2),
// both of the canvas's size, with the frame overlay; many draw only what changes and rely
// on the back buffer keeping the previous frame. The canvas size W x H is the back
// buffer's; a preview lasts about a second.

#include "render/CanvasWindow.h"
#include "render/EffectSupport.h"

#include <QImage>
#include <QString>
#include <QtGlobal>

namespace pivlo {

// The line step of the transitions, horizontal and vertical.
constexpr int kTransitionStep = 2;
// The preview duration of a transition, in milliseconds.
constexpr int kTransitionDurationMs = 1000;

// StyleList's entries, in order of their positions 0 to kTransitionCount - 1.
QString TransitionName(int position);
// The variants of an entry: 4 (the A counter picks them), 2 (the B counter) or 1.
int TransitionVariantCount(int position);
// How long the entry's routine runs when every frame is on time, in milliseconds (the
// show plans its slides with it).
int TransitionDurationMs(int position);
// The variant the counters choose for the entry (0 for an entry without variants).
int TransitionVariant(int position, const VariantCounters& counters);

// What the routines read besides their variant.
struct TransitionInputs {
  const CanvasWindow* canvas = nullptr;  // the peel and the negative start from its screen
  QImage incoming;                       // the composed incoming picture (PicSource)
  qint32 screen_width = 0;               // above 1920 pixels some steps are wider
};

// Runs the routine of the entry at the position with the variant; nothing for a position
// outside the list.
void RunTransition(int position, int variant, const TransitionInputs& inputs);

// Line position j of frame k of the combed wipes with period p: j + (k + j - 1) p.
int RollerComb(int j, int k, int period);
// A soft edge of the incoming picture at e moving in direction +1 or -1: 13 strips ahead
// of it with alphas 15, 35, ..., 255, then the strip at e, each with the frame region.
// Strips are full-height columns or full-width rows, kTransitionStep thick.
void EdgeFeather(int e, int direction, bool columns);

// The routines, by list position. A variant 0..3 is the A counter's, 0..1 the B counter's.
void TransitionRandomLines(int b);                                   // 0
void TransitionScrollOne(int a);                                     // 1
void TransitionScrollTwo(int b);                                     // 2
void TransitionRectangle(int b);                                     // 3
void TransitionFancyGrid(int cell, int b);                           // 4, cell round(W / 20)
void TransitionGatherScatter(int b);                                 // 5
void TransitionBlinds(int b);                                        // 6
void TransitionRoll(int a);                                          // 7
void TransitionRotateScatter(int b);                                 // 8
void TransitionRollerOne(int a);                                     // 9
void TransitionRollerTwo(int b);                                     // 10
void TransitionSlideIn(int a, qint32 screen_width);                  // 11
void TransitionDiagonalSlide(int a, qint32 screen_width);            // 12
void TransitionPush(int a, qint32 screen_width);                     // 13
void TransitionAlternate(int a, qint32 screen_width);                // 14
void TransitionCrossfade();                                          // 15
void TransitionScale(int b);                                         // 16
void TransitionZoomThrough();                                        // 17, B = 1
void TransitionZoomCentre();                                         // 17, B = 0
void TransitionPeel(const CanvasWindow& canvas, int b);              // 18
void TransitionNegative(const CanvasWindow& canvas, const QImage& pic_source);  // 19
void TransitionCurtain();                                            // 20
void TransitionRotatingSquares(int b);                               // 21
void TransitionRollerThree(int b);                                   // 22

}  // namespace pivlo
