#include "show/ShowCompose.h"

#include "media/basGdiPlus.h"
#include "render/LayoutCompose.h"

#include <QCoreApplication>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

constexpr int kCentred = 4;  // alignment: centred both ways

}  // namespace

PicturePainter ShowPicturePainter(const ShowSettings& settings) {
  return [media = settings.media](QImage& box, const QString& path, int mode, QPoint point, const RandomUnit& random) {
    return PaintMediaPicture(media.get(), box, path, mode, point, random);
  };
}

QString NoPictureText() { return QCoreApplication::translate("pivlo::Show", "找不到屏幕保护的图片"); }

ShowComposer::ShowComposer(const ShowSettings& settings, QSize screen)
    : settings_(settings),
      paint_(ShowPicturePainter(settings)),
      screen_(screen),
      looks_(settings.OrigScreen(), screen) {
  if (settings.project.settings.picture_frame_num != 0 && !settings.project.frame_picture.isEmpty()) {
    frame_ = ScaleBytesToPng(settings.project.frame_picture, screen);
  }
}

QImage ShowComposer::Slide(qint32 number, const RandomUnit& random) const {
  QImage slide = ComposeSlide(settings_.project, number, screen_, random, paint_);
  const ProjectSettings& s = settings_.project.settings;
  if (s.enable_caption && number >= 1 && number <= settings_.project.pictures.size()) {
    DrawStyledTextInto(slide, settings_.Caption(number), looks_.Look(s.Style(kCaptionSlot)),
             looks_.Box(settings_.project.pictures[number - 1].caption_box));
  }
  return slide;
}

QImage ShowComposer::TitlePicture(ShowEventKind kind) const {
  const ProjectSettings& s = settings_.project.settings;
  const QString& path = kind == ShowEventKind::kLogo      ? s.logo_image
                        : kind == ShowEventKind::kOpening ? s.opening_image
                                                          : s.ending_image;
  return ComposeTitlePicture(settings_.project, path, screen_, paint_);
}

QImage ShowComposer::NoPictureScreen() const {
  QImage screen = ComposeTitlePicture(settings_.project, QString(), screen_, paint_);
  TextLook look = TitleLook();
  look.alignment = kCentred;
  DrawStyledTextInto(screen, NoPictureText(), look, QRectF(QPointF(0, 0), QSizeF(screen_)));
  return screen;
}

QString ShowComposer::TitleText(ShowEventKind kind) const {
  const ProjectSettings& s = settings_.project.settings;
  return kind == ShowEventKind::kOpening ? s.title_opening : s.title_ending;
}

HeadlineItem ShowComposer::Headline(qint32 number) const {
  const ImageEntry& entry = settings_.project.pictures[number - 1];
  const QRectF box = looks_.Box(entry.headline_box);
  const TextStyle style = HeadlineStyle(entry, settings_.project.settings.Style(kHeadlineSlot));
  return HeadlineItem{entry.headline, looks_.Look(style), box.adjusted(0, 0, 1, 1)};
}

}  // namespace pivlo
