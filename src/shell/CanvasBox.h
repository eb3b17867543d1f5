#pragma once

#include "render/CanvasWindow.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

namespace pivlo {

// The layout canvas PicDst: a picture box of fixed size that shows the composed slide and
// the frames the graphics device presents on it.
class CanvasBox : public QWidget, public CanvasWindow {
  Q_OBJECT

 public:
  explicit CanvasBox(QWidget* parent);

  void SetCanvasSize(QSize size);
  // Shows an image, scaled to the canvas when its size differs.
  void ShowImage(const QImage& image);
  void Clear();
  // A note drawn over the canvas while it has no picture to show; empty for none.
  void SetHint(const QString& hint);
  // The dragged box's outline and the picture's marker, dotted in the colour; nothing
  // hides them.
  void SetShapes(std::optional<QRect> outline, std::optional<QRect> marker, const QColor& colour);
  std::optional<QRect> OutlineShown() const { return outline_; }
  std::optional<QRect> MarkerShown() const { return marker_; }

  QSize InnerSize() const override { return size(); }
  void PresentFrame(const QImage& frame) override;
  QImage ShownImage() const override { return shown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QImage shown_;
  QString hint_;
  std::optional<QRect> outline_;
  std::optional<QRect> marker_;
  QColor shape_colour_;
};

}  // namespace pivlo
