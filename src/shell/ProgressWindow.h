#pragma once

#include "core/Progress.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace pivlo {

// The progress window of long list operations: a small framed bar over the middle of the
// main window, with the text and the percentage in it.
class ProgressWindow : public QWidget, public Progress {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* owner);

  void SetWaitCursor(bool on) override;
  void InitProgress() override;
  void ShowProgress(float percentage, const QString& text) override;
  void CloseProgress() override;

  float Percentage() const { return percentage_; }
  QString Caption() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  float percentage_ = 0;
  QString text_;
  bool wait_cursor_ = false;
};

}  // namespace pivlo
