#pragma once

#include "media/SlideTimeDialogModel.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace pivlo {

// The per-picture timing dialog over SlideTimeDialogModel: it works on a copy of the
// times, and only " 保存 " changes the project.
class FrmSetSlideTime : public QDialog {
  Q_OBJECT

 public:
  // `mirror` selects a picture (0-based) alone in the main window's list.
  FrmSetSlideTime(ProjectModel& model, std::function<void(qsizetype)> mirror, QWidget* owner);

  SlideTimeDialogModel& State() { return state_; }

  QListWidget* ImgList = nullptr;
  QListWidget* MusicList = nullptr;
  QRadioButton* OptSame = nullptr;
  QRadioButton* OptAverage = nullptr;
  QLineEdit* TxtTime = nullptr;
  QLabel* LblAverage = nullptr;

 private:
  void ShowState();
  static QList<qsizetype> SelectedRows(const QListWidget* list);

  SlideTimeDialogModel state_;
  bool showing_ = false;
};

}  // namespace pivlo
