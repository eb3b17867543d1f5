#include "show/ShowEngine.h"

#include "render/basDirect3D.h"
#include "render/basTransitionD3D.h"

#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <chrono>
#include <new>

namespace pivlo {
namespace {

Q_LOGGING_CATEGORY(lcShow, "pivlo.show", QtWarningMsg)

// Between the frames of the show's own animations (the titles).
constexpr qint64 kFrameMs = 16;
constexpr qint64 kTitleFadeMs = 1000;
constexpr qint64 kTitleRevealMs = 1500;
enum TitleStyle { kTitleAtOnce = 0, kTitleFade = 1, kTitleReveal = 2 };

bool HasPicture(ShowEventKind kind) { return kind != ShowEventKind::kTransition && kind != ShowEventKind::kHeadline; }

// Random points of pictures placed at random, repeatable for the seed and the slide.
RandomUnit SlideRandom(quint32 seed, qint64 start_ms) {
  return [random = QRandomGenerator(seed ^ quint32(start_ms))]() mutable { return random.generateDouble(); };
}

}  // namespace

ShowEngine::ShowEngine(const ShowSettings& settings, ShowMaterial material, quint32 seed, CanvasWindow& canvas,
                       ShowClock& clock)
    : settings_(settings),
      has_pictures_(!material.pictures.isEmpty()),
      seed_(seed),
      canvas_(canvas),
      clock_(clock),
      composer_(settings, canvas.InnerSize()),
      planner_(settings, std::move(material), seed) {}

ShowEngine::~ShowEngine() {
  // A composition still under way finishes before the settings it reads go away.
  for (Pending& pending : queue_) {
    if (pending.picture.valid()) pending.picture.wait();
  }
}

void ShowEngine::Run() {
  SetEffectClock(&clock_);
  const auto restore = qScopeGuard([] { SetEffectClock(nullptr); });
  try {
    Play();
  } catch (const ShowStopped&) {
  }
}

void ShowEngine::Fill() {
  while (queue_.size() < 3 && !plan_ended_) {
    const QList<ShowEvent> cycle = planner_.NextCycle();
    if (cycle.isEmpty()) plan_ended_ = true;
    for (const ShowEvent& event : cycle) queue_.push_back(Pending{event, {}});
  }
}

// The first two pictures still to show are being composed.
void ShowEngine::Prefetch() {
  int ahead = 0;
  for (Pending& pending : queue_) {
    if (!HasPicture(pending.event.kind)) continue;
    if (!pending.picture.valid()) {
      const ShowEvent event = pending.event;
      pending.picture = std::async(std::launch::async, [this, event] { return Prepare(event); }).share();
    }
    if (++ahead == 2) break;
  }
}

ShowEngine::Prepared ShowEngine::Prepare(const ShowEvent& event) const {
  try {
    QImage image = event.kind == ShowEventKind::kSlide
                       ? composer_.Slide(event.picture, SlideRandom(seed_, event.start_ms))
                       : composer_.TitlePicture(event.kind);
    QByteArray texture = CaptureBoxAsBmp(image);
    return Prepared{std::move(image), std::move(texture)};
  } catch (const std::bad_alloc&) {
    // Shown as a picture that could not be composed: the show goes on.
    return Prepared{};
  }
}

// A picture still being composed is waited for with the window alive: the viewer may end
// the show meanwhile. Show time does not pass for it.
ShowEngine::Prepared ShowEngine::Take(Pending& pending) {
  while (pending.picture.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) clock_.Poll();
  return pending.picture.get();
}

void ShowEngine::Play() {
  for (;;) {
    Fill();
    if (queue_.empty()) return ShowNoPicture();
    Prefetch();
    Pending pending = std::move(queue_.front());
    queue_.pop_front();
    clock_.WaitUntil(pending.event.start_ms);
    PlayEvent(pending);
    // A show without pictures shows its logo, then says so.
    if (!has_pictures_ && queue_.empty()) clock_.WaitUntil(pending.event.end_ms);
  }
}

void ShowEngine::PlayEvent(Pending& pending) {
  const ShowEvent& event = pending.event;
  switch (event.kind) {
    case ShowEventKind::kLogo:
      ShowStill(Take(pending).texture, false);
      return;
    case ShowEventKind::kOpening:
    case ShowEventKind::kEnding:
      PlayTitle(event, Take(pending));
      return;
    case ShowEventKind::kSlide: {
      incoming_ = Take(pending);
      if (incoming_.image.isNull()) qCWarning(lcShow) << "picture" << event.picture << "could not be composed";
      // A slide brought in by a transition is drawn by it.
      const bool transition = !queue_.empty() && queue_.front().event.kind == ShowEventKind::kTransition;
      if (!transition) ShowStill(incoming_.texture, true);
      return;
    }
    case ShowEventKind::kTransition: return PlayTransition(event);
    case ShowEventKind::kHeadline: return PlayHeadline(event);
  }
}

// Slides lie under the frame; the logo and the titles have none.
void ShowEngine::UseFrame(bool with_frame) {
  if (with_frame && !frame_loaded_ && !composer_.Frame().isEmpty()) {
    CreateFrameTexture(composer_.Frame());
    frame_loaded_ = true;
  } else if (!with_frame && frame_loaded_) {
    ReleaseFrameTexture();
    frame_loaded_ = false;
  }
}

void ShowEngine::ShowStill(const QByteArray& texture, bool with_frame) {
  UseFrame(with_frame);
  CreatePictureTexture(texture, kPictureSlotOne);
  RenderStill();
}

void ShowEngine::PlayTransition(const ShowEvent& event) {
  UseFrame(true);
  CreatePictureTexture(incoming_.texture, kPictureSlotTwo);
  RunTransition(event.position, event.variant,
                TransitionInputs{&canvas_, incoming_.image, qint32(composer_.Screen().width())});
  SwapPictureSlots();
  // The transition ends on the incoming slide as a still shows it.
  clock_.WaitUntil(event.end_ms);
  RenderStill();
}

void ShowEngine::PlayHeadline(const ShowEvent& event) {
  RunHeadlineEffect(event.position, composer_.Headline(event.picture), event.variant);
}

template <typename Draw>
void ShowEngine::Animate(qint64 from, qint64 to, Draw&& draw) {
  for (;;) {
    const qint64 now = clock_.NowMs();
    if (now >= to) return draw(1.0);
    draw(double(now - from) / double(to - from));
    clock_.Wait(std::min(kFrameMs, to - now));
  }
}

void ShowEngine::PlayTitle(const ShowEvent& event, const Prepared& picture) {
  const QString text = composer_.TitleText(event.kind);
  const QRectF box = composer_.TitleBox().toRect();
  CreateTextTexture(text, composer_.TitleLook(), box);
  const bool has_text = !ResourceFailed() && !text.trimmed().isEmpty();
  ShowStill(picture.texture, false);
  if (!has_text) return;

  const QSize screen = composer_.Screen();
  const auto draw = [&](int alpha, double shown) {
    DrawFrame([&] {
      DrawPicture(0, 0, float(screen.width()), float(screen.height()), kPictureSlotOne, 255, 0, 0, 0, 0, false);
      const float width = float(box.width() * std::clamp(shown, 0.0, 1.0));
      if (alpha > 0 && width >= 1) {
        DrawTextSprite(float(box.x()), float(box.y()), width, float(box.height()), alpha, 0, 0, width,
                       float(box.height()));
      }
    });
  };
  const qint64 start = event.start_ms;
  const qint64 end = event.end_ms;
  switch (settings_.project.settings.title_style) {
    case kTitleFade:
      Animate(start, start + kTitleFadeMs, [&](double p) { draw(int(255 * p), 1); });
      clock_.WaitUntil(end - kTitleFadeMs);
      Animate(end - kTitleFadeMs, end, [&](double p) { draw(int(255 * (1 - p)), 1); });
      return;
    case kTitleReveal: Animate(start, start + kTitleRevealMs, [&](double p) { draw(255, p); }); break;
    default: draw(255, 1); break;
  }
  // The title stays on the screen: a transition out of it starts from what is shown.
  const QImage shown = canvas_.ShownImage();
  if (!shown.isNull()) CreatePictureTexture(CaptureBoxAsBmp(shown), kPictureSlotOne);
}

void ShowEngine::ShowNoPicture() {
  ShowStill(CaptureBoxAsBmp(composer_.NoPictureScreen()), false);
  for (;;) clock_.Wait(1000);
}

}  // namespace pivlo
