#pragma once

// What stands over the show's frames: the lyric of the song heard, and the export key's
// hint at the start of a program's show. It sits between the graphics device and the
// host's canvas: the device's frames pass through it, drawn over, while the effects that
// start from the screen still see the frames alone.

#include "render/CanvasWindow.h"
#include "render/LyricLayout.h"
#include "show/ShowClock.h"
#include "render/ScaledLooks.h"
#include "show/ShowMusic.h"
#include "show/ShowSettings.h"

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>

namespace pivlo {

// How long the export hint stands at the start of the show.
inline constexpr qint64 kExportHintMs = 5000;

class ShowOverlay final : public CanvasWindow {
 public:
  // `lyrics` may be null (no lyrics); `hint` is drawn for the first kExportHintMs when
  // not empty. The host, clock and lyrics must outlive the overlay.
  ShowOverlay(CanvasWindow& host, const ShowSettings& settings, ShowClock& clock, LyricTrack* lyrics,
              QString hint);

  QSize InnerSize() const override { return host_.InnerSize(); }
  void PresentFrame(const QImage& frame) override;
  QImage ShownImage() const override;

  // Shows the last frame again, drawn over as at `now_ms`, when that changes what is
  // seen; returns the time to refresh next. The clock calls it (ShowClock::SetRefresh).
  qint64 Refresh(qint64 now_ms);
  // The last frame drawn over as at `now_ms`, for offline captures.
  QImage FrameAt(qint64 now_ms);

 private:
  // The current line (swept: the same in the sweep's colours), the coming one, the hint.
  enum class Part { kCurrent, kNext, kSwept, kHint };
  // What is seen at one time; equal states look the same.
  struct State {
    QString line;  // the current lyric line, and the next for the two-line styles
    QString next;
    int sweep = -1;  // pixels of the line swept, -1 when it is not swept
    bool hint = false;
    friend bool operator==(const State&, const State&) = default;
  };
  // A part's text drawn into a transparent image of its box; the columns it covers.
  struct Drawing {
    QImage image;
    int left = 0;
    int right = 0;
  };

  bool Active() const { return lyrics_ != nullptr || !hint_.isEmpty(); }
  // The state at a time, and when it may change next.
  State StateAt(qint64 now_ms, qint64* next_ms);
  QRect PartBox(Part part) const;
  LyricLinePlace LinePlace(Part part) const;
  TextLook PartLook(Part part) const;
  // Made once for each text.
  const Drawing& PartDrawing(Part part, const QString& text);
  QImage Compose(const State& state);

  CanvasWindow& host_;
  const ShowSettings& settings_;
  ShowClock& clock_;
  LyricTrack* lyrics_;
  QString hint_;
  ScaledLooks looks_;
  QImage base_;  // the last frame as the device drew it
  qint64 presented_ms_ = 0;
  QImage composed_[2];  // drawn over
  int next_buffer_ = 0;
  State shown_;
  QHash<QString, Drawing> drawings_;
};

}  // namespace pivlo
