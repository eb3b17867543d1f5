#include "shell/FrmDlg.h"

#include "core/PathRules.h"
#include "media/basGdiPlus.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

#include <cmath>
#include <exception>

namespace pivlo {
namespace {

constexpr QSize kLargestPreview(200, 150);
constexpr QSize kIconBox(52, 52);  // room for a 48-pixel icon

// "1234.5": kilobytes with one decimal, cut rather than rounded.
QString Kilobytes(qint64 bytes) {
  return QString::number(std::trunc(double(bytes) / 1024.0 * 10.0) / 10.0, 'f', 1);
}

bool NamesAFile(const QString& path) { return IsPathSet(path) && QFileInfo(path).isFile(); }

}  // namespace

QSize PreviewSize(QSize picture, QSize largest) {
  double width = picture.width();
  double height = picture.height();
  if (width < height && height >= largest.height()) {
    width *= double(largest.height()) / height;
    height = largest.height();
  } else if (width >= largest.width()) {
    height *= double(largest.width()) / width;
    width = largest.width();
  }
  return QSize(qMin(int(width), largest.width()), qMin(int(height), largest.height()));
}

QSize FrmDlg::LargestPreview() { return kLargestPreview; }

FrmDlg::FrmDlg(FilePreview mode, QWidget* parent) : QWidget(parent), mode_(mode) {
  setObjectName(QStringLiteral("FrmDlg"));
  if (mode_ == FilePreview::kIcon) {
    BuildIconPanel();
  } else {
    BuildPicturePanel();
  }
  ClearPanel();
}

void FrmDlg::BuildPicturePanel() {
  ChkDlg = new QCheckBox(tr("预览"), this);
  ChkDlg->setObjectName(QStringLiteral("ChkDlg"));
  ChkDlg->setChecked(true);
  auto* info = new QVBoxLayout();
  info->addWidget(ChkDlg);
  for (QLabel** label : {&LblStyle, &LblW, &LblH, &LblColor, &LblLength}) {
    *label = new QLabel(this);
    info->addWidget(*label);
  }
  LblStyle->setObjectName(QStringLiteral("LblStyle"));
  LblW->setObjectName(QStringLiteral("LblW"));
  LblH->setObjectName(QStringLiteral("LblH"));
  LblColor->setObjectName(QStringLiteral("LblColor"));
  LblLength->setObjectName(QStringLiteral("LblLength"));
  info->addStretch(1);

  // The preview area: the picture is centred in it at its preview size.
  FrameDlg = new QFrame(this);
  FrameDlg->setObjectName(QStringLiteral("FrameDlg"));
  FrameDlg->setFrameShape(QFrame::StyledPanel);
  FrameDlg->setFixedSize(kLargestPreview + QSize(4, 4));
  PicDlg = new QLabel(FrameDlg);
  PicDlg->setObjectName(QStringLiteral("PicDlg"));

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 4, 0, 0);
  row->addLayout(info, 1);
  row->addWidget(FrameDlg);
  connect(ChkDlg, &QCheckBox::toggled, this, [this](bool on) {
    if (on && NamesAFile(current_path_)) {
      ShowPictureInfo(current_path_);
    } else {
      ClearPanel();
    }
  });
}

void FrmDlg::BuildIconPanel() {
  ListIcon = new QListWidget(this);
  ListIcon->setObjectName(QStringLiteral("ListIcon"));
  ListIcon->setFixedHeight(96);
  PicIcon = new QLabel(this);
  PicIcon->setObjectName(QStringLiteral("PicIcon"));
  PicIcon->setFixedSize(kIconBox);
  PicIcon->setAlignment(Qt::AlignCenter);
  PicIcon->setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 4, 0, 0);
  row->addWidget(ListIcon, 1, Qt::AlignTop);
  row->addWidget(PicIcon, 0, Qt::AlignTop);
  connect(ListIcon, &QListWidget::currentRowChanged, this, &FrmDlg::IconSelected);
}

void FrmDlg::SelectionChanged(const QString& path) {
  try {
    current_path_ = CutAtNul(path);
    if (!NamesAFile(current_path_)) {
      ClearPanel();
    } else if (mode_ == FilePreview::kIcon) {
      if (ShouldScanIconFile(current_path_, last_scanned_)) ScanIcons(current_path_);
    } else if (ChkDlg->isChecked()) {
      ShowPictureInfo(current_path_);
    } else {
      ClearPanel();
    }
  } catch (const std::exception&) {
    // The dialog goes on without a preview.
    ClearPanel();
  }
}

void FrmDlg::ShowPictureInfo(const QString& path) {
  // Frame packages have no preview.
  if (mode_ != FilePreview::kPicture || path.toUpper().endsWith(u"FRAME")) {
    ClearPanel();
    return;
  }
  const ImageProbe probe = ProbeImageFile(path, true);
  if (!probe.IsKnown()) {
    ClearPanel();
    return;
  }
  LblStyle->setText(tr("格式     ") + probe.Format);
  LblW->setText(tr("长度     ") + QString::number(probe.Width));
  LblH->setText(tr("高度     ") + QString::number(probe.Height));
  LblColor->setText(tr("色深     ") + QString::number(probe.Depth) + tr(" 位"));
  LblLength->setText(tr("文件大小 ") + Kilobytes(QFileInfo(path).size()) + u'K');

  const QSize size = PreviewSize(QSize(probe.Width, probe.Height), kLargestPreview);
  QImage box(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  box.fill(palette().window().color());
  PaintPictureByType(box, path, kPlaceStretched, QPoint());
  PicDlg->setPixmap(QPixmap::fromImage(box));
  PicDlg->setGeometry(QRect(QPoint(2 + (kLargestPreview.width() - box.width()) / 2,
                                   2 + (kLargestPreview.height() - box.height()) / 2),
                            box.size()));
  PicDlg->show();
}

void FrmDlg::ClearPanel() {
  if (mode_ != FilePreview::kPicture) return;  // the icon list stays with its file
  LblStyle->setText(tr("格式"));
  LblW->setText(tr("长度"));
  LblH->setText(tr("高度"));
  LblColor->setText(tr("色深"));
  LblLength->setText(tr("文件大小"));
  PicDlg->clear();
  PicDlg->hide();
}

void FrmDlg::ScanIcons(const QString& path) {
  last_scanned_ = path;
  icons_ = ScanIconImages(path);
  ListIcon->clear();
  PicIcon->clear();
  if (icons_.images.isEmpty()) {
    icons_ = IconImageList();
    // A file without icons takes back what an earlier file's selection wrote, so that OK
    // does not confirm an icon the list no longer shows.
    StartIconChoice();
    return;
  }
  for (const IconImageEntry& image : icons_.images) ListIcon->addItem(image.text);
  ListIcon->setCurrentRow(0);
}

void FrmDlg::IconSelected(int row) {
  if (row < 0 || !SelectIconImage(icons_, row)) return;
  // Drawn at its own size from the file the choice wrote.
  const QImage icon(TempIconPath(), "ICO");
  PicIcon->setPixmap(QPixmap::fromImage(icon));
}

void AttachFilePanel(QFileDialog& dialog, FilePreview mode) {
  if (mode == FilePreview::kNone) return;
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (grid == nullptr) return;  // a dialog of the desktop's own, with no room for it
  auto* panel = new FrmDlg(mode, &dialog);
  // Below the dialog's controls, across its whole width.
  grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());
  QObject::connect(&dialog, &QFileDialog::currentChanged, panel, &FrmDlg::SelectionChanged);
  // A name typed or completed selects its file too, without making it the current one.
  if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    QObject::connect(name, &QLineEdit::textChanged, panel, [&dialog, panel] {
      const QStringList chosen = dialog.selectedFiles();
      if (chosen.size() == 1) panel->SelectionChanged(chosen.first());
    });
  }
}

}  // namespace pivlo
