#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace pivlo {

// One of the main window's picture buttons (PicBtn): a face from the program's pictures,
// for page buttons a caption under it, painted in three states. The window decides the
// states; the button reports the mouse.
class PictureButton : public QWidget {
  Q_OBJECT

 public:
  enum PaintState { kNormal = 0, kHover = 1, kPressed = 2 };

  PictureButton(int index, const QImage& face, const QString& label, QWidget* parent);

  int Index() const { return index_; }
  const QString& Label() const { return label_; }
  int State() const { return state_; }
  // Repaints the button in a state.
  void PaintButton(int state);
  // Another face, drawn over the button's own (button 50 shows the chosen icon on it).
  void SetOverlay(const QImage& overlay);
  const QImage& Overlay() const { return overlay_; }
  // Sizes the button and its face for the window's scale.
  void ApplyScale(float scale);

  // The design size of a button of this index.
  static QSize DesignSize(int index);

 Q_SIGNALS:
  void MouseDown(int index);
  void MouseMove(int index);
  // The left button was released; `inside` tells whether over the button.
  void MouseUp(int index, bool inside);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool HasCaption() const { return !label_.isEmpty(); }
  QSize FaceSize() const;

  int index_;
  QImage face_;
  QImage overlay_;
  QString label_;
  int state_ = kNormal;
  float scale_ = 1;
};

}  // namespace pivlo
