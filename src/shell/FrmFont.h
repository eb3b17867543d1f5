#pragma once

#include "core/Prompter.h"
#include "render/FontDialogModel.h"
#include "render/ScaledLooks.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace pivlo {

// The font dialog "选择字体风格" over FontDialogModel: lists for the family, size,
// alignment, fill pattern, border width and style, three colour labels, and a sample of
// the style being edited.
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
  QLabel* PicSample = nullptr;  // a line in the style as it stands in the dialog

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PaintColours();
  void DrawSample();

  FontDialogModel state_;
  ScaledLooks looks_;  // at the screen's own size, a missing font drawn as the canvas does
  Prompter& prompter_;
};

}  // namespace pivlo
