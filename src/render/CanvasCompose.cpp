#include "render/CanvasCompose.h"

#include "core/PathRules.h"
#include "media/PictureLimits.h"
#include "media/Placement.h"
#include "render/LyricLayout.h"
#include "render/basTextStyles.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pivlo {
namespace {

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::CanvasCompose)
};

// The title the titles page shows: its first line, while either title is on.
QString TitleLine(const ProjectSettings& s, int title_kind) {
  const bool shown = (!s.title_ending.isEmpty() && s.enable_ending) || (!s.title_opening.isEmpty() && s.enable_opening);
  if (!shown) return {};
  const QString& title = title_kind == 2 ? s.title_ending : s.title_opening;
  return title.left(title.indexOf(u"\r\n"));
}

}  // namespace

QString LyricSampleText() { return Texts::tr("这是一行歌词（示例）"); }

CanvasComposer::Key CanvasComposer::KeyOf(const ProjectModel& project, const CanvasView& view, QSize working) {
  const ProjectSettings& s = project.settings;
  Key key;
  key.picture = view.picture;
  if (view.picture >= 1 && view.picture <= project.pictures.size()) {
    const ImageEntry& entry = project.pictures[view.picture - 1];
    key.path = entry.file;
    key.offset = QPoint(entry.pos_x, entry.pos_y);
  }
  key.working = working;
  key.placement = s.img_draw_scale;
  key.solid = s.solid_color;
  key.begin = s.begin_color;
  key.end = s.end_color;
  key.gradient = s.background_gradient_mode;
  key.background_placement = s.background_draw_scale;
  key.background_kind = s.background_kind;
  key.background_picture = s.background_picture;
  key.titles = view.mode == CanvasMode::kTitles;
  key.title_kind = view.title_kind;
  key.opening_picture = s.opening_image;
  key.ending_picture = s.ending_image;
  key.opening = s.enable_opening;
  key.ending = s.enable_ending;
  return key;
}

CanvasPicture CanvasComposer::Compose(const ProjectModel& project, const CanvasView& view) {
  CanvasPicture shown;
  const bool titles = view.mode == CanvasMode::kTitles;
  const QSize working_size = WorkingPictureSize(project, view.canvas, titles);
  QImage working = NewWorkingPicture(working_size);
  if (working.isNull() || !WithinPixelLimit(view.canvas)) return shown;

  const Key key = KeyOf(project, view, working_size);
  if (key_ && *key_ == key) {
    working = composed_.copy();
  } else {
    DrawBackground(working, project.settings, paint_);
    marker_.reset();
    if (titles) {
      const QString& path = view.title_kind == 2 ? project.settings.ending_image : project.settings.opening_image;
      if (IsPathSet(path) && QFileInfo::exists(path)) paint_(working, path, kPlaceCentred, QPoint(), ClockRandomUnit());
    } else {
      marker_ = DrawSlidePicture(working, project, view.picture, ClockRandomUnit(), paint_);
    }
    composed_ = working.copy();
    key_ = key;
  }

  const QSize screen(project.screen_width, project.screen_height);
  const QSize looks_screen = screen.isEmpty() ? working_size : screen;
  // The installed fonts are looked up once, not at every keystroke.
  if (!looks_ || looks_screen_ != looks_screen || looks_working_ != working_size) {
    looks_.emplace(looks_screen, working_size);
    looks_screen_ = looks_screen;
    looks_working_ = working_size;
  }
  const ScaledLooks& looks = *looks_;
  const ProjectSettings& s = project.settings;
  const ImageEntry* entry =
      view.picture >= 1 && view.picture <= project.pictures.size() ? &project.pictures[view.picture - 1] : nullptr;
  if (view.mode == CanvasMode::kCaption && entry != nullptr) {
    DrawStyledTextInto(working, entry->caption, looks.Look(s.Style(kCaptionSlot)), looks.Box(entry->caption_box));
  } else if (view.mode == CanvasMode::kHeadline && entry != nullptr) {
    DrawStyledTextInto(working, entry->headline, looks.Look(s.Style(kHeadlineSlot)), looks.Box(entry->headline_box));
  } else if (titles) {
    DrawStyledTextInto(working, TitleLine(s, view.title_kind), looks.Look(s.Style(kTitleSlot)), looks.Box(s.title_box));
  }
  if (!titles) {
    const bool full = (working_size == screen && view.full_screen_view) || view.canvas_frame.isEmpty();
    DrawFrameOverlay(working, full ? view.frame : view.canvas_frame);
  }
  if (view.mode == CanvasMode::kLyrics) {
    TextStyle style = s.Style(kLyricSlot);
    for (const LyricLinePlace& place : LyricLinePlaces(s.lyric_style, looks.Box(s.lyric_box), style.align)) {
      style.align = place.align;
      DrawStyledTextInto(working, LyricSampleText(), looks.Look(style), place.box);
    }
  }

  shown.image = working.size() == view.canvas
                    ? working
                    : working.scaled(view.canvas, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_RGB32);
  last_drawn_ = view.picture;
  if (marker_ && s.img_draw_scale == kPlaceAtPoint && !screen.isEmpty()) {
    shown.marker = ScaledRect(*marker_, screen, view.canvas);
  }
  return shown;
}

}  // namespace pivlo
