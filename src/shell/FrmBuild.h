#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace pivlo {

// The build dialog "创建屏幕保护": the two kinds of output, a screensaver that plays the
// pictures and music of this machine or one that carries them, and the create button.
class FrmBuild : public QDialog {
  Q_OBJECT

 public:
  FrmBuild(bool tool_tips, bool pack_media, QWidget* owner);
  // The second kind is chosen.
  bool PackMedia() const;

  QRadioButton* OptPackage = nullptr;
};

// The finish dialog "完成": the summary of the file just built and whether its folder is
// shown afterwards.
class FrmFinish : public QDialog {
  Q_OBJECT

 public:
  FrmFinish(const QString& summary, bool open_folder, const QImage& picture, QWidget* owner);
  bool OpenFolder() const { return open_folder_; }
  // Install it for this user as a screensaver once the dialog closes.
  bool Install() const;

  QCheckBox* ChkInstall = nullptr;

 private:
  bool open_folder_;
};

}  // namespace pivlo
