#include "shell/FrmBuild.h"

#include "shell/SystemLook.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pivlo {

namespace {

// The grey lines under an option.
QLabel* OptionNote(const QStringList& lines, QWidget* owner) {
  auto* note = new QLabel(lines.join(u'\n'), owner);
  note->setContentsMargins(22, 0, 0, 0);
  note->setForegroundRole(QPalette::PlaceholderText);
  return note;
}

}  // namespace

FrmBuild::FrmBuild(bool tool_tips, bool pack_media, QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("FrmBuild"));
  ApplyOwnerLook(*this);
  setWindowTitle(tr("创建屏幕保护"));
  auto* option = new QRadioButton(tr("本机播放屏幕保护文件（不打包图片和音乐）"), this);
  option->setObjectName(QStringLiteral("OptPreview"));
  QLabel* note = OptionNote({tr("这个选项用于创建仅指向本地机器图片和音乐文件的"),
                             tr("屏幕保护，如果被引用的图片和音乐被移动或删除，"), tr("那么屏保将不能正常播放")},
                            this);
  OptPackage = new QRadioButton(tr("打包图片和音乐（可以复制到其他电脑上播放）"), this);
  OptPackage->setObjectName(QStringLiteral("OptPackage"));
  QLabel* package_note = OptionNote({tr("图片（转换为适合屏保的大小）、音乐和歌词都放进屏保文件，"),
                                     tr("屏保文件会更大，但复制到任何地方都能完整播放")},
                                    this);
  (pack_media ? OptPackage : option)->setChecked(true);
  auto* create = new QPushButton(tr("  创建  "), this);
  create->setObjectName(QStringLiteral("BtnCreate"));
  create->setDefault(true);
  if (tool_tips) create->setToolTip(tr("创建屏幕保护"));
  connect(create, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(create);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);
  layout->addWidget(option);
  layout->addWidget(note);
  layout->addWidget(OptPackage);
  layout->addWidget(package_note);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool FrmBuild::PackMedia() const { return OptPackage->isChecked(); }

FrmFinish::FrmFinish(const QString& summary, bool open_folder, const QImage& picture, QWidget* owner)
    : QDialog(owner), open_folder_(open_folder) {
  setObjectName(QStringLiteral("FrmFinish"));
  ApplyOwnerLook(*this);
  setWindowTitle(tr("完成"));
  auto* coffee = new QLabel(this);
  coffee->setObjectName(QStringLiteral("PicCoffie"));
  coffee->setPixmap(QPixmap::fromImage(picture));
  auto* info = new QPlainTextEdit(this);
  info->setObjectName(QStringLiteral("TxtInfo"));
  info->setReadOnly(true);
  info->setPlainText(QString(summary).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  info->setMinimumSize(360, 120);
  auto* folder = new QCheckBox(tr("打开保存位置所在的文件夹"), this);
  folder->setObjectName(QStringLiteral("ChkOpenFolder"));
  folder->setChecked(open_folder);
  connect(folder, &QCheckBox::clicked, this, [this](bool on) { open_folder_ = on; });
  ChkInstall = new QCheckBox(tr("设为我的屏幕保护"), this);
  ChkInstall->setObjectName(QStringLiteral("ChkInstall"));
  ChkInstall->setToolTip(tr("复制到你的用户文件夹，加入 XScreenSaver 的列表和桌面的屏幕保护"));
  auto* ok = new QPushButton(tr("  确定  "), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* body = new QHBoxLayout();
  body->addWidget(coffee, 0, Qt::AlignTop);
  auto* right = new QVBoxLayout();
  right->addWidget(new QLabel(tr("成功创建了以下图片屏保文件。"), this));
  right->addWidget(info, 1);
  right->addWidget(folder);
  right->addWidget(ChkInstall);
  body->addLayout(right, 1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(buttons);
}

bool FrmFinish::Install() const { return ChkInstall->isChecked(); }

}  // namespace pivlo
