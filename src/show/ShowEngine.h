#pragma once

// Plays a show on the graphics runtime: the plan's events in order, each at its time on
// the show clock, with the editor's own transitions and headline effects. The pictures
// are composed ahead on a worker thread, so that a frame never waits for a file.

#include "render/CanvasWindow.h"
#include "show/ShowClock.h"
#include "show/ShowCompose.h"
#include "show/ShowPlan.h"

#include <QByteArray>
#include <QImage>

#include <deque>
#include <future>

namespace pivlo {

class ShowEngine {
 public:
  // The runtime must be ready on the canvas (InitDirect3D); the canvas size is the
  // screen the show is composed for.
  ShowEngine(const ShowSettings& settings, ShowMaterial material, quint32 seed, CanvasWindow& canvas,
             ShowClock& clock);
  ~ShowEngine();
  ShowEngine(const ShowEngine&) = delete;
  ShowEngine& operator=(const ShowEngine&) = delete;

  // Plays until the clock stops the show.
  void Run();

 private:
  // A picture composed ahead, with the bytes its texture is made from.
  struct Prepared {
    QImage image;
    QByteArray texture;
  };
  struct Pending {
    ShowEvent event;
    std::shared_future<Prepared> picture;  // logo, titles and slides
  };

  void Play();
  // Runs on a worker thread.
  Prepared Prepare(const ShowEvent& event) const;
  void Fill();
  void Prefetch();
  Prepared Take(Pending& pending);
  void PlayEvent(Pending& pending);
  void UseFrame(bool with_frame);
  void ShowStill(const QByteArray& texture, bool with_frame);
  void PlayTitle(const ShowEvent& event, const Prepared& picture);
  void PlayTransition(const ShowEvent& event);
  void PlayHeadline(const ShowEvent& event);
  void ShowNoPicture();
  // Frames at the display rate from `from` to `to`, each drawn for its progress 0..1.
  template <typename Draw>
  void Animate(qint64 from, qint64 to, Draw&& draw);

  const ShowSettings& settings_;
  const bool has_pictures_;
  const quint32 seed_;
  CanvasWindow& canvas_;
  ShowClock& clock_;
  ShowComposer composer_;
  ShowPlanner planner_;
  std::deque<Pending> queue_;
  bool plan_ended_ = false;
  bool frame_loaded_ = false;
  Prepared incoming_;
};

}  // namespace pivlo
