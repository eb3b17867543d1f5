#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace pivlo {

// The help pages ship beside the program in help/, one page per topic ("index", "faq",
// "frames"), each named topic + ".htm".
QString HelpFolder();
QString HelpPagePath(const QString& topic);

// The help viewer: one window for the program run that shows a help page and follows its
// links between pages.
class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* owner);
  // Shows the topic's page; false when there is no such page.
  bool ShowTopic(const QString& topic);
  QString ShownPage() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace pivlo
