// Any bytes as a package's settings bag: never a crash, and what the show reads is held
// within its bounds, so that its timeline always moves forward.

#include "core/PropertyBag.h"
#include "show/ShowPlan.h"
#include "show/ShowSettings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  PropertyBag bag;
  if (!bag.SetContents(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)))) return 0;
  const std::optional<ShowSettings> show = ReadShowSettings(bag, QSize(1920, 1080));
  if (!show) return 0;
  if (show->project.pictures.isEmpty() || show->OrigScreen().isEmpty()) std::abort();
  for (const qint64 ms : {show->time_interval_ms, show->opening_ms, show->ending_ms}) {
    if (ms < kLeastSlideMs || ms > kLongestEventMs) std::abort();
  }
  ShowMaterial material;
  for (qsizetype i = 1; i <= show->project.pictures.size() && i <= 50; ++i) material.pictures << qint32(i);
  qint64 last_start = 0;
  for (const ShowEvent& event : PlanShow(*show, material, 1, 600)) {
    if (event.start_ms < last_start || event.end_ms <= event.start_ms) std::abort();
    last_start = event.start_ms;
    const QSize screen = show->OrigScreen();
    if (event.picture != 0) {
      const ImageEntry& entry = show->project.pictures[event.picture - 1];
      if (entry.headline_box.w > 4 * std::max(screen.width(), screen.height()) || entry.head_size > 2000) std::abort();
    }
  }
  return 0;
}
