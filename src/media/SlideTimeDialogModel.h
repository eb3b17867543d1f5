#pragma once

#include "core/ListSelection.h"
#include "core/ProjectModel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace pivlo {

// The per-picture timing dialog without its widgets. It works on a copy of every
// picture's time; only Save changes the project, and closing without it (Cancel) leaves
// the project as it was.
class SlideTimeDialogModel {
 public:
  enum class Mode {
    Same,     // one typed time for the selected pictures
    Average,  // the first selected song's length shared by the selected pictures
  };

  // The dialog opens only outside the music-synchronised mode and with pictures.
  static bool CanOpen(const ProjectModel& model);

  // Copies the times, fills both lists and selects the first picture. `mirror` is told
  // the picture (0-based) that the main window's list is to select alone whenever the
  // dialog's first selected picture changes.
  explicit SlideTimeDialogModel(ProjectModel& model, std::function<void(qsizetype)> mirror = {});

  // One line per picture: "name: time 秒", the main window's time for pictures without
  // their own.
  const QStringList& PictureLines() const { return picture_lines_; }
  // The songs' file names, or "无音乐" when there are none.
  const QStringList& MusicLines() const { return music_lines_; }
  const ListSelection& PictureSelection() const { return pictures_; }
  const ListSelection& SongSelection() const { return songs_; }
  const QList<float>& WorkingTimes() const { return times_; }

  Mode CurrentMode() const { return mode_; }
  bool AverageAvailable() const { return !model_.songs.isEmpty(); }
  // The music list and the average label take part only in the average mode.
  bool MusicListEnabled() const { return mode_ == Mode::Average; }
  bool AverageLabelVisible() const { return mode_ == Mode::Average; }
  const QString& AverageLabel() const { return average_label_; }
  const QString& TimeText() const { return time_text_; }

  // The user typed into the time box (it takes digits, backspace and "." only:
  // IsNumberKeyAccepted).
  void SetTimeText(const QString& text) { time_text_ = text; }
  // Leaving the time box: an unusable text becomes the main window's time, and the
  // result is at least 3.5.
  void LeaveTimeBox();

  // The user's selection in the picture list; `clicked` is the row clicked last.
  void SelectPictures(const QList<qsizetype>& rows, qsizetype clicked);
  // The user's selection in the music list.
  void SelectSongs(const QList<qsizetype>& rows, qsizetype clicked);
  void ChooseSame();
  // Ignored without songs.
  void ChooseAverage();

  // " 设置 ": the time box's time, corrected as on leaving it, goes to every selected
  // picture.
  void Set();
  // " 保存 ": the working times become the pictures' times.
  void Save();

 private:
  QString TimeTextOf(qsizetype row) const;
  QString PictureLine(qsizetype row) const;
  void MirrorFirstSelected();
  void ComputeAverage();

  ProjectModel& model_;
  std::function<void(qsizetype)> mirror_;
  QList<float> times_;
  QStringList picture_lines_;
  QStringList music_lines_;
  ListSelection pictures_;
  ListSelection songs_;
  Mode mode_ = Mode::Same;
  QString time_text_;
  QString average_label_;
  qsizetype mirrored_ = -1;  // the picture last shown in the main window's list
};

}  // namespace pivlo
