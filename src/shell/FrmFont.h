#pragma once

#include "core/Prompter.h"
#include "render/FontDialogModel.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace pivlo {

// The font dialog "选择字体风格" over FontDialogModel: lists for the family, size,
// alignment, fill pattern, border width and style, and three colour labels.
class FrmFont : public QDialog {
  Q_OBJECT

 public:
  FrmFont(ProjectModel& model, int kind, Prompter& prompter, QWidget* owner);

  FontDialogModel& State() { return state_; }

  QListWidget* ListName = nullptr;
  QListWidget* ListSize = nullptr;
  QListWidget* ListAlign = nullptr;
  QListWidget* ListPattern = nullptr;
  QListWidget* ListBorderSize = nullptr;
  QListWidget* ListStyle = nullptr;
  QLabel* LblStartColor = nullptr;
  QLabel* LblEndColor = nullptr;
  QLabel* LblBorderColor = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PaintColours();

  FontDialogModel state_;
  Prompter& prompter_;
};

}  // namespace pivlo
