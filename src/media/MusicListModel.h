#pragma once

#include "core/ListSelection.h"
#include "core/ProjectModel.h"
#include "core/Progress.h"
#include "core/Prompter.h"

#include <QString>
#include <QStringList>

namespace pivlo {

// Whether a file type (the last three letters of a path, upper-cased) is one of the four
// song formats.
bool IsSongFileType(const QString& type);

// Lets the project reader measure the songs stored without a duration, as the music list
// measures them. The music list installs it; so does anything else that reads projects.
void MeasureSongsOnRead(ProjectModel& model);

// The music list and the lyric list of the editor without their widgets: the songs and
// lyric files live in the project model; this keeps the selection of the music list and
// runs the operations on both lists. Every question goes through the Prompter; long adds
// show progress. The list widgets mirror the model after each call.
class MusicListModel {
 public:
  MusicListModel(ProjectModel& model, Prompter& prompter, Progress& progress);

  // The add button: the open dialog, then AddSongs. The folder of the last chosen file is
  // where the dialog starts next time.
  void AddSongFiles();
  // Files dropped on the music list: only MP3, WAV, MID and WMA names are taken.
  void AddDroppedSongs(const QStringList& paths);
  // Appends the songs the media framework can measure, skipping short and listed paths,
  // with the lyric file found for each; an existing file that is refused is reported
  // (the last one named). Returns the number of songs added.
  qsizetype AddSongs(const QStringList& paths);
  // Whether the music list already holds the path, in any letter case.
  bool HasSong(const QString& path) const;

  // The song's lyric file: beside it with the extension "lrc", else its title in the
  // lyric folder (only an absolute folder is searched); empty when there is none.
  QString FindLyricFile(const QString& song) const;
  // Adds the lyric files now found for listed songs whose title has none yet.
  void RescanLyrics();
  // The lyric-folder button: the folder dialog, then RescanLyrics.
  void ChooseLyricFolder();
  // What the lyric-folder label shows.
  QString LyricFolderLabel() const;
  // The status hint while the pointer is over the lyric list.
  QString LyricListHint() const;

  // Removes the selected songs, each with the last lyric file of its title, then selects
  // the first song; removing every song empties both lists without asking.
  void DeleteSelectedSongs();
  void MoveSelectedUp();
  void MoveSelectedDown();
  // Empties the music and lyric lists, after asking unless `silent`.
  void ClearSongs(bool silent = false);

  qsizetype SongCount() const { return model_.songs.size(); }
  qsizetype LyricCount() const { return model_.lyric_files.size(); }

  // The selection of the music list; the widget writes the user's choice into it.
  ListSelection& Selection();
  // After a project filled or emptied the lists: the first song, if any, is selected.
  void SongsReloaded();

 private:
  bool Busy() const { return model_.flags.ListBusy || model_.flags.BusyFlag; }
  bool IsLyricListed(const QString& path) const;

  ProjectModel& model_;
  Prompter& prompter_;
  Progress& progress_;
  ListSelection selection_;
  QString last_music_folder_;  // where the add dialog starts; kept for the run
};

}  // namespace pivlo
