#include "media/PictureList.h"

#include "core/AppFolders.h"
#include "core/ListBusyScope.h"
#include "media/PictureAdding.h"
#include "media/ThumbnailRenderer.h"
#include "media/basGdiPlus.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

// The translation context of the texts below.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::PictureList)
};

// Boxes on either side of the middle one of the strip.
constexpr int kHalfStrip = PictureList::kStripBoxes / 2;

FileDialogOptions PictureDialog(const QString& start_folder) {
  const QList<FileFilter> filters = {
      {Texts::tr("所有支持的图片格式"), u"*.BMP *.Jpg *.Gif *.Png *.Tga *.Pcx *.Tif"_s},
      {Texts::tr("Windows位图文件(*.Bmp)"), u"*.BMP"_s},
      {Texts::tr("JPEG图片格式(*.Jpg)"), u"*.Jpg"_s},
      {Texts::tr("Gif图片格式(*.Gif)"), u"*.Gif"_s},
      {Texts::tr("PNG图片格式(*.Png)"), u"*.Png"_s},
      {Texts::tr("PCX图片格式(*.Pcx)"), u"*.Pcx"_s},
      {Texts::tr("TGA图片格式(*.Tga)"), u"*.Tga"_s},
      {Texts::tr("TIFF图片格式(*.Tif)"), u"*.Tif"_s}};
  FileDialogOptions options = MultipleFilesDialog(Texts::tr("添加图片文件"), filters, start_folder);
  options.preview = FilePreview::kPicture;
  return options;
}

}  // namespace

PictureList::PictureList(ProjectModel& model, Prompter& prompter, Progress& progress, PictureListView& view,
                         QSize thumbnail_size, const QString& start_folder)
    : model_(model),
      prompter_(prompter),
      progress_(progress),
      view_(view),
      cache_(thumbnail_size, ButtonFaceColour()),
      last_add_folder_(start_folder) {
  for (QImage& box : strip_boxes_) box = QImage(thumbnail_size, QImage::Format_RGB32);
  ClearStrip();
  selection_.Reset(PictureCount());
}

void PictureList::AddPictureFiles() {
  if (Busy()) return;
  AddFileList(prompter_.GetOpenFileNames(PictureDialog(last_add_folder_)));
}

void PictureList::AddPictureFiles(const QString& prepared) {
  if (Busy()) return;
  AddFileList(SplitFileDialogResult(prepared));
}

void PictureList::AddFileList(const QStringList& files) {
  if (files.isEmpty()) return;
  AddPictures(files);
  last_add_folder_ = QFileInfo(files.last()).absolutePath();
}

void PictureList::AddPictureFolder() {
  if (Busy()) return;
  const QString folder = prompter_.ChooseFolder(Texts::tr("请选择图片目录"), model_.last_chosen_folder);
  if (folder.isEmpty()) return;
  model_.last_chosen_folder = folder;
  AddFileList(PictureFilesInFolder(folder));
}

void PictureList::AddDroppedPictures(const QStringList& files) {
  const QStringList pictures = DroppedPictureFiles(files);
  if (!pictures.isEmpty()) AddPictures(pictures);
}

void PictureList::AddPictures(const QStringList& paths) {
  if (Busy()) return;
  ListBusyScope busy(model_.flags);
  Selection().Append(AppendPictures(model_, paths));
  ShowListChange();
  BuildThumbnails();
}

void PictureList::BuildThumbnails() {
  const int count = PictureCount();
  Selection();
  if (count > kStripBoxes) scroll_maximum_ = count;
  QList<int> pictures;
  QStringList files;
  for (int picture = 1; picture <= count; ++picture) {
    if (cache_.Lacks(picture)) {
      pictures << picture;
      files << model_.pictures[picture - 1].file;
    } else if (picture <= kStripBoxes) {
      FillStripBox(picture);
    }
  }
  if (!pictures.isEmpty()) {
    const int made_before = pictures.first() - 1;
    progress_.SetWaitCursor(true);
    view_.SetListEnabled(false);
    progress_.InitProgress();
    RenderThumbnails(files, cache_.ThumbnailSize(), cache_.Face(), [&](qsizetype index, const QImage& thumbnail) {
      const int picture = pictures[index];
      cache_.Store(picture, thumbnail);
      if (picture <= kStripBoxes) FillStripBox(picture);
      progress_.ShowProgress(float(index + 1) / float(count - made_before) * 100.0f, QString());
    });
    progress_.CloseProgress();
    progress_.SetWaitCursor(false);
    view_.SetListEnabled(true);
  }
  view_.StripChanged();
  if (count > 0 && selection_.SelectedCount() == 0) SelectOnly(0);
}

void PictureList::FillStripBox(int picture) {
  const int box = picture - 1;
  if (strip_slots_[box] != 0) return;
  cache_.Draw(picture, strip_boxes_[box]);
  strip_slots_[box] = picture;
}

void PictureList::DeleteSelectedPictures() {
  if (Busy()) return;
  ListSelection& selection = Selection();
  const QList<qsizetype> rows = selection.SelectedRows();
  if (rows.isEmpty()) return;
  if (selection.AllSelected()) {
    ClearPictures(true);
    return;
  }
  ListBusyScope busy(model_.flags);
  progress_.SetWaitCursor(true);
  view_.SetListEnabled(false);
  const int count_before = PictureCount();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    const int count = PictureCount();
    model_.pictures.removeAt(*row);
    cache_.Remove(int(*row) + 1, count);
  }
  selection.Reset(PictureCount());
  // Pictures were renumbered, so the canvas may show a picture that is gone.
  shown_picture_ = 0;
  ShowListChange();
  scroll_maximum_ = std::max(kScrollMinimum, PictureCount());
  scroll_value_ = std::min(scroll_value_, scroll_maximum_);
  const int deleted = int(rows.first()) + 1;
  SelectOnly(rows.size() > 1 || deleted == count_before ? 0 : deleted - 1);
  progress_.SetWaitCursor(false);
  view_.SetListEnabled(true);
}

void PictureList::MoveSelectedUp() {
  MoveSelected(true);
}

void PictureList::MoveSelectedDown() {
  MoveSelected(false);
}

void PictureList::MoveSelected(bool up) {
  if (Busy()) return;
  ListBusyScope busy(model_.flags);
  const auto exchange = [this](qsizetype row) {
    model_.pictures.swapItemsAt(row, row + 1);
    cache_.Exchange(int(row) + 1);
  };
  ListSelection& selection = Selection();
  if (!(up ? selection.MoveSelectedUp(exchange) : selection.MoveSelectedDown(exchange))) return;
  current_picture_ = up ? std::max(1, current_picture_ - 1) : std::min(PictureCount(), current_picture_ + 1);
  shown_picture_ = 0;
  ShowListChange();
  view_.LoadPictureFields(current_picture_);
  RefreshStrip();
  DrawCurrentPicture();
}

void PictureList::ClearPictures(bool silent) {
  if (model_.pictures.isEmpty() || (!silent && Busy())) return;
  if (!silent && prompter_.ShowMessage(Texts::tr("你确定要从列表中清空所有图片吗？"), MessageIcon::Information,
                                       MessageButtons::OkCancel) != MessageAnswer::Ok) {
    return;
  }
  model_.ClearPictures();
  model_.ClearBackgroundPictures();
  QFile::remove(CustomIconPath());
  ListsCleared();
}

void PictureList::ListsCleared() {
  selection_.Reset(0);
  cache_.Clear();
  current_picture_ = 0;
  shown_picture_ = 0;
  outlined_box_ = -1;
  scroll_maximum_ = kScrollMinimum;
  scroll_value_ = kScrollMinimum;
  ClearStrip();
  view_.ClearCanvas();
  ShowListChange();
  view_.StripChanged();
}

void PictureList::PicturesReloaded() {
  ListBusyScope busy(model_.flags);
  BuildThumbnails();
}

void PictureList::ClearStrip() {
  for (QImage& box : strip_boxes_) box.fill(cache_.Face());
  strip_slots_.fill(0);
}

void PictureList::ListClick() {
  if (Busy() || !list_click_enabled_) return;
  const qsizetype row = Selection().Current();
  if (row >= 0) MakeCurrentFromList(int(row) + 1);
}

void PictureList::SelectOnly(qsizetype row) {
  selection_.SelectOnly(row);
  ShowListChange();
  MakeCurrentFromList(int(row) + 1);
}

void PictureList::ShowListChange() {
  // The widget takes the program's selection without running the click handling again.
  list_click_enabled_ = false;
  view_.ListChanged();
  list_click_enabled_ = true;
}

void PictureList::MakeCurrentFromList(int picture) {
  current_picture_ = picture;
  FollowSelection(picture);
  view_.LoadPictureFields(picture);
  DrawCurrentPicture();
}

void PictureList::FollowSelection(int picture) {
  int value = scroll_value_;
  if (picture <= kHalfStrip + 1) {
    value = kScrollMinimum;
  } else if (value >= picture) {
    if (value - picture > kStripBoxes - 1) value = picture + kHalfStrip;
  } else {
    value = std::min(picture + kHalfStrip, scroll_maximum_);
  }
  scroll_value_ = value;
  RefreshStrip();
}

void PictureList::DrawCurrentPicture() {
  if (current_picture_ == 0 || current_picture_ == shown_picture_) return;
  view_.DrawPicture(current_picture_);
  shown_picture_ = current_picture_;
}

void PictureList::RefreshStrip() {
  outlined_box_ = -1;
  for (int box = 0; box < kStripBoxes; ++box) {
    const int picture = StripLabel(box);
    if (picture <= PictureCount() && cache_.Draw(picture, strip_boxes_[box])) {
      strip_slots_[box] = picture;
      if (picture == current_picture_) outlined_box_ = box;
    } else {
      strip_boxes_[box].fill(cache_.Face());
      strip_slots_[box] = 0;
    }
  }
  view_.StripChanged();
}

void PictureList::RedrawThumbnails() {
  if (Busy()) return;
  ListBusyScope busy(model_.flags);
  cache_.ClearSheet(ButtonFaceColour());
  BuildThumbnails();
  RefreshStrip();
}

void PictureList::StripClick(int box) {
  if (Busy() || box < 0 || box >= kStripBoxes) return;
  const int picture = strip_slots_[box];
  if (picture < 1 || picture > PictureCount()) return;
  Selection().SelectOnly(picture - 1);
  ShowListChange();
  current_picture_ = picture;
  view_.LoadPictureFields(picture);
  view_.PlaceTextBoxMarker(picture);
  outlined_box_ = box;
  view_.StripChanged();
  DrawCurrentPicture();
}

void PictureList::StripKey(int key) {
  if (Busy()) return;
  if (key == Qt::Key_Delete) {
    DeleteSelectedPictures();
    return;
  }
  const int count = PictureCount();
  const int current = current_picture_;
  int target = 0;
  switch (key) {
    case Qt::Key_PageUp: target = std::max(1, current - kStripBoxes); break;
    case Qt::Key_PageDown: target = std::min(count, current + kStripBoxes); break;
    case Qt::Key_Home: target = 1; break;
    case Qt::Key_End: target = count; break;
    case Qt::Key_Left:
    case Qt::Key_Up: target = current - 1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: target = current + 1; break;
    default: return;
  }
  if (target >= 1 && target <= count) SelectOnly(target - 1);
}

void PictureList::ScrollBarChanged(int value) {
  scroll_value_ = std::clamp(value, kScrollMinimum, scroll_maximum_);
  if (PictureCount() == 0 || current_picture_ == 0) return;
  RefreshStrip();
  DrawCurrentPicture();
}

void PictureList::ApplyFilenameAsCaption(bool on) {
  if (!model_.SetFilenameAsCaption(on) || current_picture_ == 0) return;
  view_.LoadPictureFields(current_picture_);
  shown_picture_ = 0;
  DrawCurrentPicture();
}

ListSelection& PictureList::Selection() {
  if (selection_.Count() != PictureCount()) selection_.Reset(PictureCount());
  return selection_;
}

}  // namespace pivlo
