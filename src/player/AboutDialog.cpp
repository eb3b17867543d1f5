#include "player/AboutDialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringList>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::AboutDialog)
};

}  // namespace

QString AboutText(const ProjectSettings& settings) {
  const QString labels[kInfoCount] = {Texts::tr("屏保名称"), Texts::tr("作者"),     Texts::tr("电子邮件"),
                                      Texts::tr("网站主页"), Texts::tr("说明文件"), Texts::tr("版权说明")};
  QStringList lines;
  for (int i = 0; i < kInfoCount; ++i) {
    const QString value = QString(settings.info[size_t(i)]).replace(u"\r\n"_s, u"\n"_s).trimmed();
    if (i == kInfoName || !value.isEmpty()) lines << labels[i] + u"："_s + value;
  }
  return lines.join(u'\n');
}

void ShowAboutDialog(const ProjectSettings& settings) {
  QMessageBox box(QMessageBox::Information, settings.info[kInfoName], AboutText(settings), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace pivlo
