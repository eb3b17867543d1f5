#include "show/ShowPlan.h"

#include "core/PathRules.h"
#include "core/Rounding.h"
#include "media/basGdiPlus.h"
#include "render/basFontEffectD3D.h"
#include "render/basTransitionD3D.h"


#include <algorithm>
#include <cmath>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

bool IsShowablePicture(const MediaFiles* media, const QString& path) {
  return ProbeMediaImage(media, path, false).IsKnown();
}

}  // namespace

QString ShowTimeText(qint64 ms) { return QString::number(double(ms) / 1000.0, 'f', 3); }

QString ShowEventKindName(ShowEventKind kind) {
  switch (kind) {
    case ShowEventKind::kLogo: return u"logo"_s;
    case ShowEventKind::kOpening: return u"opening"_s;
    case ShowEventKind::kSlide: return u"slide"_s;
    case ShowEventKind::kTransition: return u"transition"_s;
    case ShowEventKind::kHeadline: return u"headline"_s;
    case ShowEventKind::kEnding: return u"ending"_s;
  }
  return {};
}

QString ShowEventLine(const ShowEvent& event, const ShowSettings& settings) {
  QString detail;
  switch (event.kind) {
    case ShowEventKind::kSlide:
      detail = QString::number(event.picture) + u'\t' + settings.project.pictures[event.picture - 1].file;
      break;
    case ShowEventKind::kTransition:
      detail = QString::number(event.position) + u'/' + QString::number(event.variant);
      break;
    case ShowEventKind::kHeadline: detail = QString::number(event.position); break;
    default: break;
  }
  return ShowTimeText(event.start_ms) + u'\t' + ShowTimeText(event.end_ms) + u'\t' +
         ShowEventKindName(event.kind) + u'\t' + detail;
}

ShowMaterial FindShowMaterial(const ShowSettings& settings, const std::function<void(const QString&)>& skipped) {
  ShowMaterial material;
  const QList<ImageEntry>& pictures = settings.project.pictures;
  for (qsizetype i = 0; i < pictures.size(); ++i) {
    if (IsShowablePicture(settings.media.get(), pictures[i].file)) {
      material.pictures << qint32(i + 1);
    } else if (skipped) {
      skipped(pictures[i].file);
    }
  }
  const QString& logo = settings.project.settings.logo_image;
  material.logo = IsPathSet(logo) && IsShowablePicture(settings.media.get(), logo);
  return material;
}

ShowPlanner::ShowPlanner(const ShowSettings& settings, ShowMaterial material, quint32 seed)
    : settings_(settings), material_(std::move(material)), random_(seed) {
  const ProjectSettings& s = settings.project.settings;
  if (s.enable_transition) {
    for (int position = 0; position < kTransitionCount; ++position) {
      if (s.transitions[size_t(position)]) ticked_ << position;
    }
  }
}

QList<qint32> ShowPlanner::CycleOrder() {
  QList<qint32> order = material_.pictures;
  if (!settings_.project.settings.play_photo_random || order.size() < 2) return order;
  for (qsizetype i = order.size() - 1; i > 0; --i) order.swapItemsAt(i, qsizetype(random_.bounded(quint32(i + 1))));
  // Never the same picture twice in a row across cycles.
  if (order.first() == last_picture_) order.swapItemsAt(0, 1 + qsizetype(random_.bounded(quint32(order.size() - 1))));
  return order;
}

void ShowPlanner::AddSlide(qint32 number, QList<ShowEvent>& events) {
  const qint64 start = now_ms_;
  const qint64 end = start + settings_.SlideMs(number);
  events << ShowEvent{start, end, ShowEventKind::kSlide, number};
  qint64 headline_start = start;
  if (!first_slide_ && !ticked_.isEmpty()) {
    const int position = ticked_[qsizetype(random_.bounded(quint32(ticked_.size())))];
    const int variant = int(random_.bounded(quint32(TransitionVariantCount(position))));
    headline_start = start + TransitionDurationMs(position);
    events << ShowEvent{start, headline_start, ShowEventKind::kTransition, number, position, variant};
  }
  const ImageEntry& entry = settings_.project.pictures[number - 1];
  if (settings_.project.settings.enable_headline_effect && !entry.headline.isEmpty() &&
      entry.head_dynamic_style >= 0 && entry.head_dynamic_style < kHeadlineEffectCount) {
    const int effect = entry.head_dynamic_style;
    const int variant = effect == kHeadlineSlideIn ? int(random_.bounded(4u)) : 0;
    events << ShowEvent{headline_start, headline_start + HeadlineDurationMs(effect), ShowEventKind::kHeadline,
                        number, effect, variant};
  }
  first_slide_ = false;
  last_picture_ = number;
  now_ms_ = end;
}

QList<ShowEvent> ShowPlanner::NextCycle() {
  QList<ShowEvent> events;
  const ProjectSettings& s = settings_.project.settings;
  const auto title = [&](ShowEventKind kind, qint64 duration) {
    events << ShowEvent{now_ms_, now_ms_ + duration, kind};
    now_ms_ += duration;
  };
  if (cycle_++ == 0 && material_.logo) title(ShowEventKind::kLogo, kLogoMs);
  if (material_.pictures.isEmpty()) return events;
  if (s.enable_opening) title(ShowEventKind::kOpening, settings_.opening_ms);
  for (const qint32 number : CycleOrder()) AddSlide(number, events);
  if (s.enable_ending) title(ShowEventKind::kEnding, settings_.ending_ms);
  return events;
}

QList<ShowEvent> PlanShow(const ShowSettings& settings, const ShowMaterial& material, quint32 seed,
                          std::optional<double> seconds) {
  ShowPlanner planner(settings, material, seed);
  QList<ShowEvent> events = planner.NextCycle();
  if (!seconds) return events;
  const qint64 limit = std::isfinite(*seconds) ? qint64(std::min(*seconds, 1e12) * 1000) : 0;
  while (!events.isEmpty() && events.last().start_ms < limit) {
    const QList<ShowEvent> next = planner.NextCycle();
    if (next.isEmpty()) break;
    events << next;
  }
  events.removeIf([&](const ShowEvent& event) { return event.start_ms >= limit; });
  return events;
}

}  // namespace pivlo
