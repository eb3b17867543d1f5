#pragma once

// The panel that open dialogs show below their own controls: for pictures the selected
// file's format, size, depth and file size with a scaled preview; for icon sources the
// icon images the file holds, the chosen one written as Temp/tempicon.ico and drawn.

#include "builder/basReplaceIcon.h"
#include "core/Prompter.h"

#include <QSize>
#include <QString>
#include <QWidget>

class QCheckBox;
class QFileDialog;
class QFrame;
class QLabel;
class QListWidget;

namespace pivlo {

// The size a picture is previewed at in an area of `largest`: a portrait picture as high
// as the area when it reaches its height, else as wide as the area when it reaches its
// width, then both held within the area; a smaller picture keeps its size.
QSize PreviewSize(QSize picture, QSize largest);

class FrmDlg : public QWidget {
  Q_OBJECT

 public:
  FrmDlg(FilePreview mode, QWidget* parent);

  // The dialog's selection moved to `path`.
  void SelectionChanged(const QString& path);
  // Fills the panel for one picture file; clears it for what has no preview.
  void ShowPictureInfo(const QString& path);
  // The labels without values, and no preview.
  void ClearPanel();

  // The largest preview: the inner size of PicDlg.
  static QSize LargestPreview();

  QCheckBox* ChkDlg = nullptr;
  QLabel* PicDlg = nullptr;
  QLabel* LblStyle = nullptr;
  QLabel* LblW = nullptr;
  QLabel* LblH = nullptr;
  QLabel* LblColor = nullptr;
  QLabel* LblLength = nullptr;
  QListWidget* ListIcon = nullptr;
  QLabel* PicIcon = nullptr;
  QFrame* FrameDlg = nullptr;

 private:
  void BuildPicturePanel();
  void BuildIconPanel();
  void ScanIcons(const QString& path);
  void IconSelected(int row);

  FilePreview mode_;
  QString current_path_;  // the dialog's selection
  QString last_scanned_;  // icon mode: the file whose images are listed
  IconImageList icons_;   // held while the dialog is open: the chosen image is copied from it
};

// Puts the panel of the dialog's preview kind below the dialog's controls, following
// its selection. The editor gives this to its prompter.
void AttachFilePanel(QFileDialog& dialog, FilePreview mode);

}  // namespace pivlo
