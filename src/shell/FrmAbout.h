#pragma once

#include <QDialog>
#include <QImage>

namespace pivlo {

// The about box: the program's picture, name, version and a short note.
class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  FrmAbout(const QImage& logo, QWidget* owner);
};

// The product name shown in the window caption and the about box.
QString ProductName();

}  // namespace pivlo
