#pragma once

#include "core/ProjectTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace pivlo {

// The facts of the running editor from which the model takes its first values.
struct ModelEnvironment {
  qint32 screen_width = 0;   // pixels
  qint32 screen_height = 0;
  QString default_font;      // the text font every style slot starts with
  // Height of one line of the lyric slot's starting style (the text renderer measures
  // "A屏保j"); the lyric box is one such line high.
  double lyric_line_height = 0;
};

// Flags of the running editor that the project operations honour (-1/0 in the stored
// world; plain booleans here). All false at start except RedrawAllowed.
struct RunFlags {
  bool BusyFlag = false;           // a long operation runs; commands return at once
  bool ListBusy = false;           // pictures or songs are being added, moved or deleted
  bool LoadingFlag = false;        // the program fills controls; no redraws meanwhile
  bool RedrawAllowed = true;       // handlers may recompose the canvas
  bool SettingsOnlyRead = false;   // the project reader takes only the settings keys
  bool SettingsOnlyWrite = false;  // the project writer puts only the settings keys
  bool AutoSaving = false;         // the automatic copy is being written
  bool AutoSaveFailed = false;     // the last automatic copy could not be written
  bool PromptFlag = false;         // the settings file's "IsPrompt1"
  qint32 TickCount = 0;            // timer ticks since the last automatic save
};

// Measures a song file's duration in seconds (0 when it cannot); used for songs whose
// stored duration is 0.
using SongMeasure = std::function<float(const QString& path)>;

// The one project the editor holds, changed in place by every part of the program.
// Lists are 0-based here; the stored per-index keys number them from 1.
struct ProjectModel {
  explicit ProjectModel(const ModelEnvironment& environment);

  ProjectSettings settings;
  QList<ImageEntry> pictures;
  QList<SongEntry> songs;
  QStringList lyric_files;

  QString file_name;  // the project's file; empty when it has none
  RunFlags flags;
  // The screen the boxes are measured on; kept current when the display changes.
  qint32 screen_width = 0;
  qint32 screen_height = 0;
  qint32 font_list_position = 0;  // the headline effect selected in FontList
  QByteArray frame_picture;       // encoded bytes of the chosen frame; empty when none held
  SongMeasure measure_song;       // empty: stored durations stand
  // The folder last chosen in any folder dialog (pictures, lyrics), kept for the run.
  QString last_chosen_folder;

  // A new picture's entry: caption and headline boxes from the screen, the selected
  // headline effect, the headline style of slot 2.
  ImageEntry NewImageEntry(const QString& file = QString()) const;
  // Gives the entry the headline fields of a new picture.
  void ResetHeadline(ImageEntry& entry) const;
  // The caption box of a picture read from a project without a caption.
  ScreenBox ReadDefaultCaptionBox() const;

  // Extends the picture list to `count` entries, keeping those present; new entries get
  // the new-picture defaults.
  void GrowImageEntries(qsizetype count);
  // Appends a picture with the new-picture defaults.
  ImageEntry& AddPicture(const QString& file);
  // Empties the picture list; the project then has no file name.
  void ClearPictures();
  // Empties the background, opening, ending and logo picture paths; the background becomes
  // a single colour.
  void ClearBackgroundPictures();
  // Removes the pictures at the given rows; removing every picture clears the list.
  void RemovePictures(QList<qsizetype> rows);

  void AddSong(const QString& file, float duration);
  // Empties the song list and the lyric-file list.
  void ClearSongs();
  // Removes the songs at the given rows, each with the last lyric file of its title;
  // removing every song clears both lists.
  void RemoveSongs(QList<qsizetype> rows);

  // Switches "file name as caption": switching it on while pictures exist and no project
  // is being loaded makes every caption its picture's file title. True when captions
  // changed.
  bool SetFilenameAsCaption(bool on);

 private:
  ScreenBox ScreenPart(double x, double y, double w, double h) const;
};

}  // namespace pivlo
