#include "player/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// A desktop that does not answer soon must not hold up the show.
constexpr int kCallTimeoutMs = 1000;

QDBusMessage ScreenSaverCall(const QString& method) {
  return QDBusMessage::createMethodCall(u"org.freedesktop.ScreenSaver"_s, u"/org/freedesktop/ScreenSaver"_s,
                                        u"org.freedesktop.ScreenSaver"_s, method);
}

}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QString& application, const QString& reason) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage call = ScreenSaverCall(u"Inhibit"_s);
  call << application << reason;
  const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
    cookie_ = reply.arguments().constFirst().toUInt();
  }
}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
  if (!cookie_) return;
  QDBusMessage call = ScreenSaverCall(u"UnInhibit"_s);
  call << *cookie_;
  QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}

}  // namespace pivlo
