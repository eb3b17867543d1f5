#pragma once

// What a show plays: a package's settings bag read into the project model the editor
// composes with, on the screen the project was made on, with the values the show needs
// held within sane bounds.

#include "core/MediaFiles.h"
#include "core/ProjectModel.h"
#include "core/PropertyBag.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace pivlo {

class ScreensaverPackage;

// The least time of a slide, and of an opening or ending, in milliseconds.
inline constexpr qint64 kLeastSlideMs = 3500;
inline constexpr qint64 kLeastTitleMs = 5000;
// Nothing is shown longer than a day.
inline constexpr qint64 kLongestEventMs = 24 * 3600 * 1000;
// How long the logo stands at the start of the show.
inline constexpr qint64 kLogoMs = 3000;

struct ShowSettings {
  explicit ShowSettings(const ModelEnvironment& environment) : project(environment) {}

  // Boxes, offsets and sizes are in pixels of the project's screen
  // (project.screen_width x project.screen_height).
  ProjectModel project;
  // The whole seconds of music a synchronised show spreads over its pictures (0: none).
  qint32 song_duration_total = 0;
  // The package's texture picture (the rainbow fill); empty when it carries none.
  QByteArray texture_picture;
  // In milliseconds: the default slide time and the titles' times.
  qint64 time_interval_ms = 10000;
  qint64 opening_ms = 8000;
  qint64 ending_ms = 8000;
  // The lyric file of each song (MusicLyricFiles(j) at [j - 1]); empty where it has none.
  QStringList music_lyric_files;
  // What holds the files of a self-contained package (null: they are on disk).
  std::shared_ptr<const MediaFiles> media;

  QSize OrigScreen() const { return {project.screen_width, project.screen_height}; }
  // Picture `number`'s time (1-based): its own when above 0, else the default; with a
  // synchronised show every picture gets the music's length spread evenly.
  qint64 SlideMs(qint32 number) const;
  // The caption a slide shows: its text, or with FilenameAsCaption its file's title.
  QString Caption(qint32 number) const;
};

// Reads a settings bag. A key that is missing or holds a value out of its range keeps
// the editor's default; the screen falls back to `fallback_screen` when the bag names
// none that is plausible. Nothing, with the reason, when the bag holds no picture.
std::optional<ShowSettings> ReadShowSettings(const PropertyBag& bag, QSize fallback_screen,
                                             QString* error = nullptr);

// The settings of a package with the pictures of its blob (frame and texture), and the
// files it holds when it is self-contained.
std::optional<ShowSettings> ReadShowPackage(const ScreensaverPackage& package, QSize fallback_screen,
                                            QString* error = nullptr);

}  // namespace pivlo
