#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

namespace pivlo {

// The thumbnails of the picture list, so that the strip scrolls without decoding files
// again. Pictures 1 to 100 keep theirs in one sheet of 10 × 10 cells: slot k has a cell
// position and a marker that is non-zero once the thumbnail of picture k is in the sheet at
// that position. Reordering and removing exchange positions, never pixels. Pictures beyond
// the 100th keep theirs as JPEG files n.jpg in the Temp folder, renamed as pictures move.
class ThumbnailCache {
 public:
  static constexpr int kSheetSlots = 100;
  static constexpr int kSheetColumns = 10;

  // Blank thumbnails and a cleared sheet show the face colour.
  ThumbnailCache(QSize thumbnail_size, const QColor& face);

  QSize ThumbnailSize() const { return size_; }
  const QColor& Face() const { return face_; }
  const QImage& Sheet() const { return sheet_; }
  QPoint SlotPosition(int slot) const { return positions_[slot]; }
  qint32 SlotMarker(int slot) const { return markers_[slot]; }
  // Picture n's thumbnail file for n beyond the sheet.
  static QString ThumbnailFile(int picture);

  // Whether picture n has no thumbnail yet: slot n unmarked, or n.jpg missing.
  bool Lacks(int picture) const;
  // Keeps a rendered thumbnail of picture n: into slot n's cell, or saved as n.jpg at
  // quality 92.
  void Store(int picture, const QImage& thumbnail);
  // Draws picture n's thumbnail into the box (of thumbnail size): the sheet's cell when the
  // slot is marked, the file n.jpg beyond the sheet. False, and nothing drawn, otherwise.
  bool Draw(int picture, QImage& box) const;

  // Pictures n and n + 1 changed places.
  void Exchange(int picture);
  // Picture n was removed from a list of `count` pictures; the later ones moved down one.
  void Remove(int picture, int count);
  // Drops every thumbnail: the sheet cleared, every marker cleared, the files deleted.
  void Clear();
  // The face colour changed: the sheet is cleared to it and its thumbnails are to be made
  // again; the files beyond it stay.
  void ClearSheet(const QColor& face);

 private:
  QRect Cell(int slot) const { return QRect(positions_[slot], size_); }
  // Draws a thumbnail file scaled into slot 100's cell and marks the slot.
  void LoadIntoLastSlot(const QString& file);
  // Renames n.jpg to (n - 1).jpg for n from `first` to `last`.
  static void RenumberFiles(int first, int last);

  QSize size_;
  QColor face_;
  QImage sheet_;
  std::array<QPoint, kSheetSlots + 1> positions_{};  // index 0 unused
  std::array<qint32, kSheetSlots + 1> markers_{};
};

}  // namespace pivlo
