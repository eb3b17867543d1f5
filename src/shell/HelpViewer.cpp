#include "shell/HelpViewer.h"

#include "core/AppFolders.h"
#include "shell/SystemLook.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace pivlo {

QString HelpFolder() {
  return ApplicationFolder() + QStringLiteral("help/");
}

QString HelpPagePath(const QString& topic) {
  return HelpFolder() + topic + QStringLiteral(".htm");
}

HelpViewer::HelpViewer(QWidget* owner) : QDialog(owner), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("FrmHelp"));
  ApplyOwnerLook(*this);
  setWindowTitle(tr("Pivlo 帮助"));
  setModal(false);
  resize(640, 520);
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
}

bool HelpViewer::ShowTopic(const QString& topic) {
  const QString page = HelpPagePath(topic);
  if (!QFileInfo(page).isFile()) return false;
  browser_->setSource(QUrl::fromLocalFile(page));
  show();
  raise();
  activateWindow();
  return true;
}

QString HelpViewer::ShownPage() const {
  return browser_->source().toLocalFile();
}

}  // namespace pivlo
