#pragma once

#include "render/EffectSupport.h"

#include <QtGlobal>

namespace pivlo {

struct ProjectModel;

// What a headline preview asks of the editor around the canvas; headless callers keep
// the defaults, which do nothing.
class HeadlinePreviewView {
 public:
  virtual ~HeadlinePreviewView() = default;
  // Repaints the canvas window at once.
  virtual void RefreshCanvas() {}
  // Whether the canvas keeps what is painted on it; off while an effect draws straight
  // into its window.
  virtual void SetPersistentDrawing(bool on) {}
};

// What a headline preview shows when the picture has no headline.
const QString& HeadlineSampleText();

// The click on the headline effect list: previews the effect at the list's position
// (model.font_list_position) on the canvas, over the picture the canvas shows
// (state.shown_picture). `selected` is the picture list's current picture (numbered from
// 1, 0 none): the text is its headline in its box, and that picture then keeps the
// effect; without a selected picture or headline it is the sample "屏幕保护制作",
// centred. Does nothing while the lists are being filled, the effects are off, the
// picture list or anything else is busy, the graphics are not ready or the project has
// no picture. The counters advance after every preview, a failed one included; the
// headline style is the same afterwards.
void PreviewHeadline(ProjectModel& model, int selected, EffectPreviewState& state, HeadlinePreviewView& view);

}  // namespace pivlo
