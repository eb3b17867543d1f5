#include "media/ThumbnailCache.h"

#include "core/AppFolders.h"
#include "media/basGdiPlus.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <utility>

namespace pivlo {
namespace {

QString TempFile(const QString& name) {
  return TempFolder() + name;
}

// Renames a file, replacing what the new name held; nothing when there is no such file.
void MoveFile(const QString& from, const QString& to) {
  if (!QFile::exists(from)) return;
  QFile::remove(to);
  QFile::rename(from, to);
}

}  // namespace

ThumbnailCache::ThumbnailCache(QSize thumbnail_size, const QColor& face)
    : size_(thumbnail_size),
      face_(face),
      sheet_(thumbnail_size.width() * kSheetColumns, thumbnail_size.height() * (kSheetSlots / kSheetColumns),
             QImage::Format_RGB32) {
  sheet_.fill(face_);
  for (int slot = 1; slot <= kSheetSlots; ++slot) {
    positions_[slot] = QPoint(size_.width() * ((slot - 1) % kSheetColumns), size_.height() * ((slot - 1) / kSheetColumns));
  }
}

QString ThumbnailCache::ThumbnailFile(int picture) {
  return TempFile(QString::number(picture) + QStringLiteral(".jpg"));
}

bool ThumbnailCache::Lacks(int picture) const {
  if (picture <= kSheetSlots) return markers_[picture] == 0;
  return !QFile::exists(ThumbnailFile(picture));
}

void ThumbnailCache::Store(int picture, const QImage& thumbnail) {
  if (picture <= kSheetSlots) {
    QPainter(&sheet_).drawImage(positions_[picture], thumbnail);
    markers_[picture] = picture;
    return;
  }
  QDir().mkpath(TempFolder());
  SaveBitmapAsJpeg(thumbnail, ThumbnailFile(picture), kBitmapJpegQuality);
}

bool ThumbnailCache::Draw(int picture, QImage& box) const {
  if (picture > kSheetSlots) {
    ShowPictureFile(ThumbnailFile(picture), box, face_);
    return true;
  }
  if (picture < 1 || markers_[picture] == 0) return false;
  box = sheet_.copy(Cell(picture));
  return true;
}

void ThumbnailCache::Exchange(int picture) {
  if (picture < kSheetSlots) {
    std::swap(markers_[picture], markers_[picture + 1]);
    std::swap(positions_[picture], positions_[picture + 1]);
  } else if (picture == kSheetSlots) {
    // The last cell and the first file trade their thumbnails.
    const QString held = TempFile(QStringLiteral("tmp2"));
    SaveBitmapAsJpeg(sheet_.copy(Cell(kSheetSlots)), held, kBitmapJpegQuality);
    const QString first_file = ThumbnailFile(kSheetSlots + 1);
    LoadIntoLastSlot(first_file);
    QFile::remove(first_file);
    MoveFile(held, first_file);
  } else {
    const QString held = TempFile(QStringLiteral("tmp"));
    QFile::remove(held);
    MoveFile(ThumbnailFile(picture), held);
    MoveFile(ThumbnailFile(picture + 1), ThumbnailFile(picture));
    MoveFile(held, ThumbnailFile(picture + 1));
  }
}

void ThumbnailCache::Remove(int picture, int count) {
  if (picture > kSheetSlots) {
    QFile::remove(ThumbnailFile(picture));
    RenumberFiles(picture + 1, count);
    return;
  }
  if (picture != kSheetSlots) {
    // The removed picture's cell travels to the end of the marked slots.
    int last = kSheetSlots;
    while (last > 2 && markers_[last] == 0) --last;
    for (int slot = picture; slot < last; ++slot) {
      std::swap(markers_[slot], markers_[slot + 1]);
      std::swap(positions_[slot], positions_[slot + 1]);
    }
    markers_[last] = 0;
  }
  const QString first_file = ThumbnailFile(kSheetSlots + 1);
  if (QFile::exists(first_file)) {
    LoadIntoLastSlot(first_file);
    QFile::remove(first_file);
    RenumberFiles(kSheetSlots + 2, count);
  } else {
    markers_[kSheetSlots] = 0;
  }
}

void ThumbnailCache::Clear() {
  sheet_.fill(face_);
  markers_.fill(0);
  // Every thumbnail file goes, so that the next pictures are not shown with these.
  const QDir temp(TempFolder());
  for (const QString& name : temp.entryList({QStringLiteral("*.jpg")}, QDir::Files)) {
    bool numbered = false;
    const int picture = name.chopped(4).toInt(&numbered);
    if (numbered && picture > kSheetSlots) QFile::remove(temp.filePath(name));
  }
}

void ThumbnailCache::ClearSheet(const QColor& face) {
  face_ = face;
  sheet_.fill(face_);
  markers_.fill(0);
}

void ThumbnailCache::LoadIntoLastSlot(const QString& file) {
  QPainter painter(&sheet_);
  painter.fillRect(Cell(kSheetSlots), face_);
  DrawImageFileToDC(painter, file, Cell(kSheetSlots));
  markers_[kSheetSlots] = kSheetSlots;
}

void ThumbnailCache::RenumberFiles(int first, int last) {
  for (int picture = first; picture <= last; ++picture) MoveFile(ThumbnailFile(picture), ThumbnailFile(picture - 1));
}

}  // namespace pivlo
