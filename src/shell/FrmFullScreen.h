#pragma once

#include <QImage>
#include <QWidget>

namespace pivlo {

// The selected picture's slide over the whole screen, above every other window. A click
// or any key closes it.
class FrmFullScreen : public QWidget {
  Q_OBJECT

 public:
  FrmFullScreen();

  void ShowSlide(const QImage& slide);

 Q_SIGNALS:
  void Closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Finish();

  QImage slide_;
};

}  // namespace pivlo
