#pragma once

// The pictures a show is made of, composed as the editor's canvas composes them, at the
// size of the screen being drawn: every stored box and offset scaled from the project's
// screen, fonts with the width.

#include "media/Placement.h"
#include "render/LayoutCompose.h"
#include "render/basFontEffectD3D.h"
#include "render/basTextStyles.h"
#include "render/ScaledLooks.h"
#include "show/ShowPlan.h"
#include "show/ShowSettings.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QStringList>

namespace pivlo {

// Draws the show's pictures wherever they are held.
PicturePainter ShowPicturePainter(const ShowSettings& settings);

// The message shown when none of the show's pictures can be shown.
QString NoPictureText();

class ShowComposer {
 public:
  ShowComposer(const ShowSettings& settings, QSize screen);

  QSize Screen() const { return screen_; }
  // The slide layer of picture `number`: background, picture and, with captions on, its
  // caption (style slot 1, in its box). The frame is the device's overlay, drawn over it.
  QImage Slide(qint32 number, const RandomUnit& random) const;
  // The opening's, ending's or logo's picture centred on the background.
  QImage TitlePicture(ShowEventKind kind) const;
  // The background with NoPictureText in the middle.
  QImage NoPictureScreen() const;

  // The title of the opening (kOpening) or ending, every line, and its look and box.
  QString TitleText(ShowEventKind kind) const;
  TextLook TitleLook() const { return looks_.Look(settings_.project.settings.Style(kTitleSlot)); }
  QRectF TitleBox() const { return looks_.Box(settings_.project.settings.title_box); }
  // Picture `number`'s headline in its own style and box.
  HeadlineItem Headline(qint32 number) const;
  // The frame overlay scaled to the screen (PNG); empty without a frame.
  const QByteArray& Frame() const { return frame_; }

 private:
  const ShowSettings& settings_;
  PicturePainter paint_;  // from disk, or from the package that holds the pictures
  QSize screen_;
  ScaledLooks looks_;
  QByteArray frame_;
};

}  // namespace pivlo
