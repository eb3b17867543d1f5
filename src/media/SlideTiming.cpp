#include "media/SlideTiming.h"

#include "core/Rounding.h"

#include <cmath>

namespace pivlo {
namespace {

constexpr qsizetype kMostSyncedSongs = 20;
constexpr float kRoundedFrom = 30000;  // seconds

}  // namespace

qint32 TotalSongSeconds(const ProjectModel& model) {
  if (!model.settings.enable_sync || model.songs.isEmpty() || model.songs.size() > kMostSyncedSongs) return 0;
  float sum = 0;  // the durations are singles, and so is their sum
  for (const SongEntry& song : model.songs) sum += song.duration;
  return sum < kRoundedFrom ? RoundToInt32(std::floor(sum) + 1) : RoundToInt32(sum);
}

}  // namespace pivlo
