#include "core/ProjectModel.h"

#include "core/PathRules.h"
#include "core/Rounding.h"

#include <algorithm>

namespace pivlo {
namespace {

// Sorted from the last row to the first, without repeats or rows outside the list, so
// that removing one never shifts another still to be removed.
QList<qsizetype> RowsLastFirst(QList<qsizetype> rows, qsizetype size) {
  rows.removeIf([size](qsizetype row) { return row < 0 || row >= size; });
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

}  // namespace

ProjectModel::ProjectModel(const ModelEnvironment& environment)
    : screen_width(environment.screen_width), screen_height(environment.screen_height) {
  for (int slot = 1; slot <= kTextSlotCount; ++slot) {
    settings.Style(slot) = DefaultTextStyle(slot, environment.default_font);
  }
  settings.lyric_box = ScreenPart(0.05, 0.75, 0.9, 0);
  settings.lyric_box.h = RoundToInt32(environment.lyric_line_height + 1);
  settings.title_box = ScreenPart(0.1, 0.2, 0.8, 0.6);
}

ScreenBox ProjectModel::ScreenPart(double x, double y, double w, double h) const {
  return ScreenBox{RoundToInt32(x * screen_width), RoundToInt32(y * screen_height),
                   RoundToInt32(w * screen_width), RoundToInt32(h * screen_height)};
}

ImageEntry ProjectModel::NewImageEntry(const QString& file) const {
  ImageEntry entry;
  entry.file = file;
  entry.caption_box = ScreenPart(0.05, 0.05, 0.9, 0.9);
  ResetHeadline(entry);
  return entry;
}

void ProjectModel::ResetHeadline(ImageEntry& entry) const {
  entry.headline_box = ScreenPart(0.45, 0.45, 0.1, 0.1);
  entry.head_dynamic_style = font_list_position;
  TakeHeadlineStyle(entry, settings.Style(kHeadlineSlot));
}

ScreenBox ProjectModel::ReadDefaultCaptionBox() const {
  return ScreenPart(0.02, 0.02, 0.96, 0.96);
}

void ProjectModel::GrowImageEntries(qsizetype count) {
  if (count <= pictures.size()) return;
  pictures.reserve(count);
  const ImageEntry fresh = NewImageEntry();
  while (pictures.size() < count) pictures.append(fresh);
}

ImageEntry& ProjectModel::AddPicture(const QString& file) {
  pictures.append(NewImageEntry(file));
  return pictures.last();
}

void ProjectModel::ClearPictures() {
  pictures.clear();
  file_name.clear();
}

void ProjectModel::ClearBackgroundPictures() {
  settings.background_picture.clear();
  settings.opening_image.clear();
  settings.ending_image.clear();
  settings.logo_image.clear();
  settings.background_kind = QStringLiteral("1");
}

void ProjectModel::RemovePictures(QList<qsizetype> rows) {
  rows = RowsLastFirst(std::move(rows), pictures.size());
  if (rows.isEmpty()) return;
  if (rows.size() == pictures.size()) {
    ClearPictures();
    return;
  }
  for (qsizetype row : rows) pictures.removeAt(row);
}

void ProjectModel::AddSong(const QString& file, float duration) {
  songs.append(SongEntry{file, duration});
}

void ProjectModel::ClearSongs() {
  songs.clear();
  lyric_files.clear();
}

void ProjectModel::RemoveSongs(QList<qsizetype> rows) {
  rows = RowsLastFirst(std::move(rows), songs.size());
  if (rows.isEmpty()) return;
  if (rows.size() == songs.size()) {
    ClearSongs();
    return;
  }
  for (qsizetype row : rows) {
    const QString title = FileTitle(songs[row].file);
    for (qsizetype i = lyric_files.size() - 1; i >= 0; --i) {
      if (FileTitle(lyric_files[i]).compare(title, Qt::CaseInsensitive) == 0) {
        lyric_files.removeAt(i);
        break;
      }
    }
    songs.removeAt(row);
  }
}

bool ProjectModel::SetFilenameAsCaption(bool on) {
  settings.filename_as_caption = on;
  if (!on || pictures.isEmpty() || flags.LoadingFlag) return false;
  for (ImageEntry& entry : pictures) entry.caption = FileTitle(entry.file);
  return true;
}

}  // namespace pivlo
