#include "render/LayoutCompose.h"

#include "core/PathRules.h"
#include "media/PictureLimits.h"
#include "media/PlatformPicture.h"
#include "media/basGdiPlus.h"
#include "render/basTextStyles.h"

#include <QPainter>

namespace pivlo {
QImage NewWorkingPicture(QSize size) {
  if (!WithinPixelLimit(size)) return {};
  QImage box(size, QImage::Format_RGB32);
  if (!box.isNull()) box.fill(Qt::black);
  return box;
}

void DrawBackground(QImage& box, const ProjectSettings& settings, const PicturePainter& paint) {
  if (box.isNull()) return;
  if (settings.background_kind == u"3" && IsPathSet(settings.background_picture)) {
    paint(box, settings.background_picture, settings.background_draw_scale, QPoint(), ClockRandomUnit());
    return;
  }
  const bool gradient = settings.background_kind == u"2";
  const QRgb start = StoredColorToArgb(gradient ? settings.begin_color : settings.solid_color, 255);
  QPainter painter(&box);
  if (!gradient) {
    painter.fillRect(box.rect(), QColor::fromRgba(start));
    return;
  }
  const QRgb end = StoredColorToArgb(settings.end_color, 255);
  painter.fillRect(box.rect(), LinearGradientBrush(settings.background_gradient_mode, QRectF(box.rect()), start, end));
}

std::optional<QRect> DrawSlidePicture(QImage& box, const ProjectModel& project, qint32 number,
                                      const RandomUnit& random, const PicturePainter& paint) {
  if (box.isNull() || number < 1 || number > project.pictures.size()) return std::nullopt;
  const ImageEntry& entry = project.pictures[number - 1];
  const int placement = project.settings.img_draw_scale;
  const QPoint offset = placement == kPlaceAtPoint ? QPoint(entry.pos_x, entry.pos_y) : QPoint();
  return paint(box, entry.file, placement, offset, random);
}

QSize WorkingPictureSize(const ProjectModel& project, QSize canvas, bool titles_page) {
  const int placement = project.settings.img_draw_scale;
  if (!titles_page && (placement == kPlaceFitted || placement == kPlaceStretched)) return canvas;
  const QSize screen(project.screen_width, project.screen_height);
  return screen.isEmpty() ? canvas : screen;
}

namespace {

// The background and what `paint` draws over it in the working picture, scaled to the canvas.
template <typename Paint>
QImage ComposeOnBackground(const ProjectModel& project, QSize canvas, bool titles_page, const PicturePainter& painter,
                           Paint&& paint) {
  if (!WithinPixelLimit(canvas)) return {};
  QImage working = NewWorkingPicture(WorkingPictureSize(project, canvas, titles_page));
  if (working.isNull()) return {};
  DrawBackground(working, project.settings, painter);
  paint(working);
  if (working.size() == canvas) return working;
  return working.scaled(canvas, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage ComposeSlide(const ProjectModel& project, qint32 number, QSize canvas, const RandomUnit& random,
                    const PicturePainter& paint) {
  return ComposeOnBackground(project, canvas, false, paint,
                             [&](QImage& working) { DrawSlidePicture(working, project, number, random, paint); });
}

QImage ComposeTitlePicture(const ProjectModel& project, const QString& path, QSize canvas,
                           const PicturePainter& paint) {
  return ComposeOnBackground(project, canvas, true, paint, [&](QImage& working) {
    if (IsPathSet(path)) paint(working, path, kPlaceCentred, QPoint(), ClockRandomUnit());
  });
}

void DrawFrameOverlay(QImage& box, const QByteArray& frame_bytes) {
  if (box.isNull() || frame_bytes.isEmpty()) return;
  const QImage frame = PlatformPicture(frame_bytes).Read(box.size());
  if (frame.isNull()) return;
  QPainter painter(&box);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(box.rect(), frame);
}

}  // namespace pivlo
