#pragma once

// The timeline of a show: a pure function of its settings, the pictures that can be
// shown, and a seed. One cycle is the logo (first cycle only), the opening, the slides
// and the ending; then the show starts again.

#include "show/ShowSettings.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pivlo {

enum class ShowEventKind { kLogo, kOpening, kSlide, kTransition, kHeadline, kEnding };

// The word `show plan` prints for a kind.
QString ShowEventKindName(ShowEventKind kind);

struct ShowEvent {
  qint64 start_ms = 0;
  qint64 end_ms = 0;
  ShowEventKind kind = ShowEventKind::kSlide;
  qint32 picture = 0;  // slide and headline: the picture's 1-based list number
  int position = 0;    // transition: its list position; headline: its effect
  int variant = 0;     // transition: its variant; headline: the slide-in's side

  friend bool operator==(const ShowEvent&, const ShowEvent&) = default;
};

// A show time as `show plan` and `show render` write it: seconds with three decimals.
QString ShowTimeText(qint64 ms);

// START<TAB>END<TAB>KIND<TAB>DETAIL, times as ShowTimeText; the slide's
// detail is N<TAB>PATH, a transition's POSITION/VARIANT, a headline's EFFECT.
QString ShowEventLine(const ShowEvent& event, const ShowSettings& settings);

// Which pictures (1-based) and titles the show can use: files that are there and probe as
// pictures. The plan takes it as given.
struct ShowMaterial {
  QList<qint32> pictures;
  bool logo = false;
};
// Looks at the files the settings name (regular files only, so a FIFO never blocks);
// each picture left out is said once through `skipped`.
ShowMaterial FindShowMaterial(const ShowSettings& settings, const std::function<void(const QString&)>& skipped);

// Plans cycle after cycle. Within a slide: the transition into it starts with it (every
// slide but the first of the show, when transitions are on and any is ticked); its
// headline starts when the transition ends.
class ShowPlanner {
 public:
  ShowPlanner(const ShowSettings& settings, ShowMaterial material, quint32 seed);
  // The next cycle's events in order of their start (a slide before its transition);
  // empty when a cycle would show nothing.
  QList<ShowEvent> NextCycle();

 private:
  QList<qint32> CycleOrder();
  void AddSlide(qint32 number, QList<ShowEvent>& events);

  const ShowSettings& settings_;
  ShowMaterial material_;
  QRandomGenerator random_;
  QList<int> ticked_;  // the transitions the show picks from
  qint64 now_ms_ = 0;
  int cycle_ = 0;
  qint32 last_picture_ = 0;
  bool first_slide_ = true;
};

// The events that start within the first `seconds` (by default the whole first cycle).
QList<ShowEvent> PlanShow(const ShowSettings& settings, const ShowMaterial& material, quint32 seed,
                          std::optional<double> seconds = std::nullopt);

}  // namespace pivlo
