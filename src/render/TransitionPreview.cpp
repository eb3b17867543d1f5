#include "render/TransitionPreview.h"

#include "core/ProjectFiles.h"
#include "render/LayoutCompose.h"
#include "render/basDirect3D.h"
#include "render/basTransitionD3D.h"

#include <QScopeGuard>

namespace pivlo {

void PreviewTransition(TransitionPreviewContext& context, int position) {
  ProjectModel& project = context.project;
  EffectPreviewState& state = context.state;
  if (project.flags.LoadingFlag) return;
  if (!CheckEnoughPictures(project, context.prompter, context.view)) return;
  if (project.flags.BusyFlag || !Direct3DReady()) return;
  state.counters.BringIntoRange();
  const QSize canvas = context.canvas.InnerSize();

  project.flags.BusyFlag = true;
  // Consecutive previews cycle through the directions, a failed one included.
  const auto finish = qScopeGuard([&] {
    state.counters.Advance();
    project.flags.BusyFlag = false;
  });
  CreatePictureTexture(ComposeSlide(project, state.shown_picture, canvas, context.random), kPictureSlotOne);
  state.alternate_picture = state.alternate_picture == 1 ? 2 : 1;
  QImage pic_source = ComposeSlide(project, state.alternate_picture, canvas, context.random);
  CreatePictureTexture(pic_source, kPictureSlotTwo);
  state.shown_picture = state.alternate_picture;

  RunTransition(position, TransitionVariant(position, state.counters),
                TransitionInputs{&context.canvas, pic_source, project.screen_width});

  // The canvas ends on the incoming picture as it composes it, frame included.
  if (Direct3DReady() && project.settings.picture_frame_num != 0) DrawFrameOverlay(pic_source, context.canvas_frame);
  context.canvas.PresentFrame(pic_source);
}

}  // namespace pivlo
