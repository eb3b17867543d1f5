#include "shell/FrmAbout.h"

#include "core/Version.h"
#include "shell/SystemLook.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace pivlo {

QString ProductName() {
  return QCoreApplication::translate("pivlo::FrmAbout", "Pivlo 图片屏保制作 v");
}

FrmAbout::FrmAbout(const QImage& logo, QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("FrmAbout"));
  ApplyOwnerLook(*this);
  setWindowTitle(tr("关于 Pivlo"));
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);
  if (!logo.isNull()) {
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(logo));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
  }
  auto* text = new QLabel(this);
  text->setObjectName(QStringLiteral("LblAbout"));
  text->setAlignment(Qt::AlignCenter);
  text->setText(tr("<b>Pivlo 图片屏保制作</b><br>版本 %1<br><br>把照片和音乐做成属于你的屏幕保护。<br>"
                   "图片、音乐、文字、特效和相框，一站完成。")
                    .arg(VersionText()));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr(" 确定 "));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace pivlo
