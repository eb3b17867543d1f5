#pragma once

// The preview of a transition on the layout canvas: a click on a StyleList entry runs it
// once, from the picture the canvas shows to another picture of the project.

#include "core/ProjectModel.h"
#include "core/ProjectView.h"
#include "core/Prompter.h"
#include "media/Placement.h"
#include "render/CanvasWindow.h"
#include "render/EffectSupport.h"

#include <QByteArray>

namespace pivlo {

// What a transition preview works with. The editor's canvas presents the frames, and
// ends showing the incoming picture composed with its frame.
struct TransitionPreviewContext {
  ProjectModel& project;
  Prompter& prompter;
  ProjectView& view;
  CanvasWindow& canvas;
  EffectPreviewState& state;
  // The chosen frame scaled to the canvas (PNG); empty without a frame.
  QByteArray canvas_frame;
  // Random points of pictures placed at random (placement 1 with offset (0, 0)).
  RandomUnit random = ClockRandomUnit();
};

// The click on the entry at the position: with at least two pictures, not busy and the
// graphics device ready, composes the outgoing and incoming pictures into the picture
// slots, runs the routine in the variant the counters give, advances the counters (also
// after a failed run) and leaves the canvas showing the incoming picture. With fewer
// than two pictures it only tells the user. Nothing while the lists are being filled.
void PreviewTransition(TransitionPreviewContext& context, int position);

}  // namespace pivlo
