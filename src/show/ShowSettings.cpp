#include "show/ShowSettings.h"

#include "builder/PackageMediaFiles.h"
#include "builder/ScreensaverPackage.h"
#include "core/NumberText.h"
#include "core/PathRules.h"
#include "core/ProjectBag.h"
#include "core/ProjectKeys.h"
#include "core/Rounding.h"
#include "core/basPropertyBag.h"

#include <algorithm>
#include <cmath>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// Beyond these a stored screen is not one the project was made on.
constexpr qint32 kLargestScreenSide = 16384;
// Pictures of the blob larger than this are not taken (a frame is a screen-sized PNG).
constexpr qint32 kLargestBlobPicture = 64 * 1024 * 1024;
// Text sizes and borders a style may ask for, in pixels of the project's screen.
constexpr qint32 kLargestTextSize = 2000;
constexpr qint32 kLargestBorder = 5;

qint64 SecondsToMs(double seconds, qint64 least) {
  if (!std::isfinite(seconds)) return least;
  return qint64(RoundHalfEven(std::clamp(seconds * 1000, double(least), double(kLongestEventMs))));
}

qint64 TextToMs(const QString& text, double fallback, qint64 least) {
  return SecondsToMs(NumberFromText(text).value_or(fallback), least);
}

// A box far outside any screen is held to a few screens around it, so that nothing drawn
// from it grows without bound.
void HoldBox(ScreenBox& box, QSize screen) {
  const qint32 side = std::max(screen.width(), screen.height());
  box.x = std::clamp<qint32>(box.x, -4 * side, 4 * side);
  box.y = std::clamp<qint32>(box.y, -4 * side, 4 * side);
  box.w = std::clamp<qint32>(box.w, 0, 4 * side);
  box.h = std::clamp<qint32>(box.h, 0, 4 * side);
}

void HoldStyle(TextStyle& style) {
  style.size = std::clamp<qint32>(style.size, 1, kLargestTextSize);
  style.border_width = std::clamp<qint32>(style.border_width, 0, kLargestBorder);
}

void HoldValues(ShowSettings& show) {
  ProjectModel& project = show.project;
  const QSize screen = show.OrigScreen();
  for (TextStyle& style : project.settings.styles) HoldStyle(style);
  HoldBox(project.settings.title_box, screen);
  HoldBox(project.settings.lyric_box, screen);
  for (ImageEntry& entry : project.pictures) {
    HoldBox(entry.caption_box, screen);
    HoldBox(entry.headline_box, screen);
    entry.head_size = std::clamp<qint32>(entry.head_size, 1, kLargestTextSize);
    entry.head_border = std::clamp<qint32>(entry.head_border, 0, kLargestBorder);
    entry.pos_x = std::clamp<qint32>(entry.pos_x, -4 * screen.width(), 4 * screen.width());
    entry.pos_y = std::clamp<qint32>(entry.pos_y, -4 * screen.height(), 4 * screen.height());
  }
}

QSize StoredScreen(const PropertyBag& bag, QSize fallback) {
  const qint32 width = bag.Get(u"OrigScreenWidth"_s, qint32(0)).ToInt32();
  const qint32 height = bag.Get(u"OrigScreenHeight"_s, qint32(0)).ToInt32();
  if (width < 1 || height < 1 || width > kLargestScreenSide || height > kLargestScreenSide) return fallback;
  return {width, height};
}

QByteArray BlobPicture(const ScreensaverPackage& package, const QString& name) {
  const PackageItem* item = package.FindItem(name);
  if (item == nullptr || item->size > kLargestBlobPicture) return {};
  return package.ReadItem(*item).value_or(QByteArray());
}

}  // namespace

qint64 ShowSettings::SlideMs(qint32 number) const {
  const qsizetype count = project.pictures.size();
  if (project.settings.enable_sync && song_duration_total > 0 && count > 0) {
    return SecondsToMs(double(song_duration_total) / double(count), kLeastSlideMs);
  }
  if (number >= 1 && number <= count) {
    const float own = project.pictures[number - 1].slide_duration;
    if (own > 0) return SecondsToMs(own, kLeastSlideMs);
  }
  return time_interval_ms;
}

QString ShowSettings::Caption(qint32 number) const {
  if (number < 1 || number > project.pictures.size()) return {};
  const ImageEntry& entry = project.pictures[number - 1];
  return project.settings.filename_as_caption ? FileTitle(entry.file) : entry.caption;
}

std::optional<ShowSettings> ReadShowSettings(const PropertyBag& bag, QSize fallback_screen, QString* error) {
  const QSize screen = StoredScreen(bag, fallback_screen);
  ShowSettings show(ModelEnvironment{screen.width(), screen.height(), QString(), 0});
  SharedBag() = bag;
  ReadProjectFromBag(show.project);
  if (show.project.pictures.isEmpty()) {
    if (error != nullptr) *error = u"the package names no picture"_s;
    return std::nullopt;
  }
  const ProjectSettings& settings = show.project.settings;
  show.time_interval_ms = TextToMs(settings.time_text, 10, kLeastSlideMs);
  show.opening_ms = TextToMs(settings.opening_time_text, 8, kLeastTitleMs);
  show.ending_ms = TextToMs(settings.ending_time_text, 8, kLeastTitleMs);
  show.song_duration_total = std::max<qint32>(0, bag.Get(u"SongDurationTotal"_s, qint32(0)).ToInt32());
  for (qsizetype j = 1; j <= show.project.songs.size(); ++j) {
    show.music_lyric_files << bag.Get(IndexedKey(u"MusicLyricFiles("_s, j), QString()).ToText();
  }
  HoldValues(show);
  return show;
}

std::optional<ShowSettings> ReadShowPackage(const ScreensaverPackage& package, QSize fallback_screen,
                                            QString* error) {
  std::optional<ShowSettings> show = ReadShowSettings(package.Settings(), fallback_screen, error);
  if (!show) return show;
  if (show->project.settings.picture_frame_num != 0) {
    show->project.frame_picture = BlobPicture(package, FrameItemName());
  }
  if (show->project.frame_picture.isEmpty()) show->project.settings.picture_frame_num = 0;
  show->texture_picture = BlobPicture(package, TextureItemName());
  show->media = PackageMediaFiles::Of(package);
  return show;
}

}  // namespace pivlo
