#include "show/ShowOverlay.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>
#include <tuple>

namespace pivlo {
namespace {

// A sweep is redrawn at the display's pace.
constexpr qint64 kSweepStepMs = 16;
// Texts drawn are kept for reuse up to this many.
constexpr qsizetype kKeptDrawings = 32;
constexpr qint32 kHintAlign = 2;

QRect Rounded(const QRectF& box) {
  return QRect(qRound(box.x()), qRound(box.y()), qRound(box.width()), qRound(box.height()));
}

// The columns of the image that hold anything: [left, right).
std::pair<int, int> CoveredColumns(const QImage& image) {
  int left = image.width();
  int right = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < left; ++x) {
      if (qAlpha(row[x]) != 0) left = x;
    }
    for (int x = image.width() - 1; x >= std::max(right, left); --x) {
      if (qAlpha(row[x]) != 0) {
        right = x + 1;
        break;
      }
    }
  }
  return left < right ? std::pair{left, right} : std::pair{0, 0};
}

// Copies the picture into `to`, in its own memory when it has the same shape and no one
// else holds it: a new screen-sized buffer a frame costs more than the copy.
void CopyPixels(const QImage& from, QImage& to) {
  if (to.size() != from.size() || to.format() != from.format() || to.bytesPerLine() != from.bytesPerLine() ||
      !to.isDetached()) {
    to = from.copy();
    return;
  }
  std::memcpy(to.bits(), from.constBits(), size_t(from.sizeInBytes()));
}

}  // namespace

ShowOverlay::ShowOverlay(CanvasWindow& host, const ShowSettings& settings, ShowClock& clock, LyricTrack* lyrics,
                         QString hint)
    : host_(host),
      settings_(settings),
      clock_(clock),
      lyrics_(lyrics != nullptr && lyrics->Enabled() ? lyrics : nullptr),
      hint_(std::move(hint)),
      looks_(settings.OrigScreen(), host.InnerSize()) {}

void ShowOverlay::PresentFrame(const QImage& frame) {
  if (!Active()) return host_.PresentFrame(frame);
  CopyPixels(frame, base_);
  qint64 next_ms = 0;
  presented_ms_ = clock_.NowMs();
  shown_ = StateAt(presented_ms_, &next_ms);
  host_.PresentFrame(Compose(shown_));
}

QImage ShowOverlay::ShownImage() const { return base_.isNull() ? host_.ShownImage() : base_; }

qint64 ShowOverlay::Refresh(qint64 now_ms) {
  if (!Active()) return std::numeric_limits<qint64>::max();
  qint64 next_ms = 0;
  const State state = StateAt(now_ms, &next_ms);
  if (base_.isNull() || state == shown_) return next_ms;
  // While the device presents at the display's pace its frames carry the sweep on.
  const bool swept_on = state.line == shown_.line && state.next == shown_.next && state.hint == shown_.hint;
  if (swept_on && now_ms - presented_ms_ < kSweepStepMs) return presented_ms_ + kSweepStepMs;
  shown_ = state;
  presented_ms_ = now_ms;
  host_.PresentFrame(Compose(state));
  return next_ms;
}

QImage ShowOverlay::FrameAt(qint64 now_ms) {
  if (!Active() || base_.isNull()) return host_.ShownImage();
  qint64 next_ms = 0;
  return Compose(StateAt(now_ms, &next_ms));
}

ShowOverlay::State ShowOverlay::StateAt(qint64 now_ms, qint64* next_ms) {
  State state;
  *next_ms = std::numeric_limits<qint64>::max();
  if (!hint_.isEmpty() && now_ms < kExportHintMs) {
    state.hint = true;
    *next_ms = kExportHintMs;
  }
  if (lyrics_ == nullptr) return state;
  const LyricMoment moment = lyrics_->At(now_ms);
  *next_ms = std::min(*next_ms, moment.until_ms);
  if (moment.text.isEmpty()) return state;
  const qint32 style = settings_.project.settings.lyric_style;
  state.line = moment.text;
  if (IsTwoLineLyricStyle(style)) state.next = moment.next;
  if (IsSweptLyricStyle(style)) {
    const Drawing& swept = PartDrawing(Part::kSwept, moment.text);
    const double span = double(std::max<qint64>(moment.end_ms - moment.start_ms, 1));
    const double progress = std::clamp(double(now_ms - moment.start_ms) / span, 0.0, 1.0);
    state.sweep = qRound(progress * (swept.right - swept.left));
    if (progress < 1.0) *next_ms = std::min(*next_ms, now_ms + kSweepStepMs);
  }
  return state;
}

QRect ShowOverlay::PartBox(Part part) const {
  if (part == Part::kHint) {
    const QSize screen = settings_.OrigScreen();
    const ScreenBox corner{screen.width() / 50, screen.height() / 50, screen.width() * 24 / 25, screen.height() / 10};
    return Rounded(looks_.Box(corner));
  }
  return Rounded(LinePlace(part).box);
}

LyricLinePlace ShowOverlay::LinePlace(Part part) const {
  const ProjectSettings& s = settings_.project.settings;
  const QList<LyricLinePlace> places =
      LyricLinePlaces(s.lyric_style, QRectF(Rounded(looks_.Box(s.lyric_box))), s.Style(kLyricSlot).align);
  return part == Part::kNext ? places.value(1, places[0]) : places[0];
}

TextLook ShowOverlay::PartLook(Part part) const {
  const ProjectSettings& s = settings_.project.settings;
  TextStyle style = s.Style(kLyricSlot);
  if (part == Part::kHint) {
    style = DefaultTextStyle(kCaptionSlot, style.font_name);
    style.size = std::max(settings_.project.screen_height / 30, 12);
    style.align = kHintAlign;
  } else {
    style.align = LinePlace(part).align;
  }
  if (part == Part::kSwept) {
    style.pattern = s.lyric_dynamic_pattern;
    style.start_color = s.lyric_dynamic_start_color;
    style.end_color = s.lyric_dynamic_end_color;
  }
  return looks_.Look(style);
}

const ShowOverlay::Drawing& ShowOverlay::PartDrawing(Part part, const QString& text) {
  const QString key = QString::number(int(part)) + u'\n' + text;
  const auto known = drawings_.constFind(key);
  if (known != drawings_.cend()) return *known;
  if (drawings_.size() >= kKeptDrawings) drawings_.clear();
  Drawing drawing;
  const QRect box = PartBox(part);
  if (!text.isEmpty() && TextImageSizeAllowed(box.width(), box.height())) {
    drawing.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    drawing.image.fill(Qt::transparent);
    QPainter painter(&drawing.image);
    DrawStyledText(painter, text, PartLook(part), QRectF(QPointF(0, 0), QSizeF(box.size())));
    painter.end();
    std::tie(drawing.left, drawing.right) = CoveredColumns(drawing.image);
  }
  return *drawings_.insert(key, std::move(drawing));
}

QImage ShowOverlay::Compose(const State& state) {
  if (base_.isNull() || (!state.hint && state.line.isEmpty())) return base_;
  // Two buffers: the host may hold on to the last one until the next comes.
  QImage& out = composed_[next_buffer_];
  next_buffer_ = 1 - next_buffer_;
  CopyPixels(base_, out);
  QPainter painter(&out);
  const auto draw = [&](Part part, const QString& text) {
    if (!text.isEmpty()) painter.drawImage(PartBox(part).topLeft(), PartDrawing(part, text).image);
  };
  if (state.hint) draw(Part::kHint, hint_);
  draw(Part::kCurrent, state.line);
  draw(Part::kNext, state.next);
  if (state.sweep > 0) {
    const Drawing& swept = PartDrawing(Part::kSwept, state.line);
    const QRect box = PartBox(Part::kSwept);
    const QRect source(swept.left, 0, state.sweep, box.height());
    painter.drawImage(source.translated(box.topLeft()), swept.image, source);
  }
  painter.end();
  return out;
}

}  // namespace pivlo
