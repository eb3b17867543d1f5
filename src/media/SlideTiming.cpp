#include "media/SlideTiming.h"

#include "core/Rounding.h"

namespace pivlo {
namespace {

constexpr qsizetype kMostSynchronisedSongs = 20;
constexpr float kRoundedFrom = 30000.0f;

}  // namespace

qint32 TotalSongSeconds(const ProjectModel& model) {
  if (!model.settings.enable_sync || model.songs.isEmpty() || model.songs.size() > kMostSynchronisedSongs) return 0;
  float sum = 0;
  for (const SongEntry& song : model.songs) sum += song.duration;
  if (sum < kRoundedFrom) return qint32(sum) + 1;
  return RoundToInt32(sum);
}

}  // namespace pivlo
