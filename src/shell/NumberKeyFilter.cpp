#include "shell/NumberKeyFilter.h"

#include "core/SettingRules.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace pivlo {
namespace {

class NumberKeys : public QObject {
 public:
  NumberKeys(bool allow_full_stop, QObject* owner) : QObject(owner), allow_full_stop_(allow_full_stop) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const QString text = static_cast<QKeyEvent*>(event)->text();
      const bool typed = !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127;
      if (typed && !IsNumberKeyAccepted(text.at(0).unicode(), allow_full_stop_)) return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool allow_full_stop_;
};

}  // namespace

void FilterNumberKeys(QLineEdit* box, bool allow_full_stop) {
  box->installEventFilter(new NumberKeys(allow_full_stop, box));
}

}  // namespace pivlo
