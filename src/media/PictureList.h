#pragma once

#include "core/ListSelection.h"
#include "core/ProjectModel.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "media/ThumbnailCache.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>

namespace pivlo {

// What the picture list asks of the editor around it. The editor implements it; headless
// callers keep the defaults, which do nothing.
class PictureListView {
 public:
  virtual ~PictureListView() = default;

  // The list's entries or their selection changed: the list box shows the model's paths
  // (its horizontal extent that of the widest) and the selection.
  virtual void ListChanged() {}
  // The strip's boxes, labels, outline or scroll bar changed.
  virtual void StripChanged() {}
  // The list box and the strip's scroll bar take input, or not while thumbnails are made.
  virtual void SetListEnabled(bool /*enabled*/) {}
  // The picture's fields go into the editing controls.
  virtual void LoadPictureFields(int /*picture*/) {}
  // The canvas draws the picture.
  virtual void DrawPicture(int /*picture*/) {}
  virtual void ClearCanvas() {}
  // A strip click: the text-box marker goes over the picture's caption or headline box,
  // whichever page is open.
  virtual void PlaceTextBoxMarker(int /*picture*/) {}
};

// The picture list of the editor without its widgets: the pictures live in the project
// model (the list box ImgList shows their paths, in slide order); this keeps the list's
// selection, the current picture, the thumbnail cache and the strip of seven thumbnail
// boxes below the canvas with its scroll bar. Pictures are numbered from 1, list rows and
// strip boxes from 0. Every question goes through the Prompter; making thumbnails shows
// progress. The widgets display this state after each call.
class PictureList {
 public:
  static constexpr int kStripBoxes = 7;
  static constexpr int kScrollMinimum = kStripBoxes;

  // `thumbnail_size` is the inner size of one strip box; `start_folder` is where the add
  // dialog first opens.
  PictureList(ProjectModel& model, Prompter& prompter, Progress& progress, PictureListView& view,
              QSize thumbnail_size, const QString& start_folder);

  // The add button: the open dialog, then AddPictures.
  void AddPictureFiles();
  // The same with a prepared list in the dialog's NUL-separated form instead of the dialog.
  void AddPictureFiles(const QString& prepared);
  // The folder button: every picture file of a chosen folder.
  void AddPictureFolder();
  // Files dropped on the list box.
  void AddDroppedPictures(const QStringList& files);
  // Appends the acceptable files (see AppendPictures), then makes their thumbnails.
  void AddPictures(const QStringList& paths);

  // Removes the selected pictures with their fields and thumbnails; removing every
  // picture clears the list without asking.
  void DeleteSelectedPictures();
  // Move each selected picture one place, its fields and thumbnail with it.
  void MoveSelectedUp();
  void MoveSelectedDown();
  // Empties the list, after asking unless `silent`; the background, opening, ending and
  // logo pictures and the custom icon go with it.
  void ClearPictures(bool silent = false);
  // The model's lists were emptied for another project: thumbnails, strip and selection
  // are dropped.
  void ListsCleared();
  // A project filled the model's list: its thumbnails are made and its first picture
  // selected.
  void PicturesReloaded();

  // The list box was clicked; its selection is already in Selection(). The clicked
  // (current) row's picture becomes current.
  void ListClick();
  // A click on strip box 0..6, and a key pressed on the strip (Qt::Key).
  void StripClick(int box);
  void StripKey(int key);
  // The user moved the strip's scroll bar.
  void ScrollBarChanged(int value);
  // Redraws the seven boxes for the scroll bar's value.
  void RefreshStrip();
  // The system's colours changed: the thumbnails of the first 100 pictures are made again
  // on the new face colour.
  void RedrawThumbnails();
  // The "file name as caption" box was switched.
  void ApplyFilenameAsCaption(bool on);

  // The selection of the list box; the widget writes the user's choice into it.
  ListSelection& Selection();
  const ThumbnailCache& Thumbnails() const { return cache_; }
  int CurrentPicture() const { return current_picture_; }
  int ShownPicture() const { return shown_picture_; }
  bool ListClickEnabled() const { return list_click_enabled_; }
  int ScrollValue() const { return scroll_value_; }
  int ScrollMaximum() const { return scroll_maximum_; }
  // The picture strip box k shows (0 when empty), its label's number and its image.
  int StripSlot(int box) const { return strip_slots_[box]; }
  int StripLabel(int box) const { return scroll_value_ - (kStripBoxes - 1) + box; }
  const QImage& StripBox(int box) const { return strip_boxes_[box]; }
  // The box outlined as the current picture's, -1 when none.
  int OutlinedBox() const { return outlined_box_; }
  // Where the add dialog opens next: the folder of the last file added.
  const QString& LastAddFolder() const { return last_add_folder_; }

 private:
  int PictureCount() const { return int(model_.pictures.size()); }
  bool Busy() const { return model_.flags.ListBusy || model_.flags.BusyFlag; }
  void AddFileList(const QStringList& files);
  // Makes the thumbnails still missing, fills the strip's empty boxes among the first
  // seven, and selects the first picture when nothing is selected.
  void BuildThumbnails();
  // Selects the row alone and runs the list's click handling for it.
  void SelectOnly(qsizetype row);
  void MakeCurrentFromList(int picture);
  // Scrolls the strip so that it shows the picture.
  void FollowSelection(int picture);
  void DrawCurrentPicture();
  void ShowListChange();
  void FillStripBox(int picture);
  void ClearStrip();
  void MoveSelected(bool up);

  ProjectModel& model_;
  Prompter& prompter_;
  Progress& progress_;
  PictureListView& view_;
  ThumbnailCache cache_;
  ListSelection selection_;
  int current_picture_ = 0;
  int shown_picture_ = 0;
  bool list_click_enabled_ = true;
  int scroll_value_ = kScrollMinimum;
  int scroll_maximum_ = kScrollMinimum;
  std::array<int, kStripBoxes> strip_slots_{};
  std::array<QImage, kStripBoxes> strip_boxes_;
  int outlined_box_ = -1;
  QString last_add_folder_;
};

}  // namespace pivlo
