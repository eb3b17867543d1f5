#include "builder/ScreensaverInstall.h"

#include "builder/PackageIcon.h"
#include "builder/ScreensaverPackage.h"
#include "core/FileReplacement.h"
#include "core/ProjectKeys.h"
#include "core/ProjectTypes.h"
#include "core/XScreenSaverPrograms.h"
#include "core/basByteFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::ScreensaverInstall)
};

QString Folder(const UserPlaces& places) { return places.data + u"/pivlo/screensavers/"_s; }
QString ProgramPath(const UserPlaces& places, const QString& name) { return Folder(places) + name + u".scr"_s; }
QString IconPath(const UserPlaces& places, const QString& name) { return Folder(places) + name + u".png"_s; }
QString DesktopPath(const UserPlaces& places, const QString& name) {
  return places.data + u"/applications/screensavers/"_s + name + u".desktop"_s;
}
QString SettingsPath(const UserPlaces& places) { return places.home + u"/.xscreensaver"_s; }

// One word for sh, quoted when it holds anything but plain characters.
QString ShellWord(const QString& word) {
  static const QRegularExpression kPlain(u"^[\\w./+-]+$"_s, QRegularExpression::UseUnicodePropertiesOption);
  if (kPlain.match(word).hasMatch()) return word;
  return u'\'' + QString(word).replace(u'\'', u"'\\''"_s) + u'\'';
}

// What a shell or a desktop entry reads specially becomes "-"; no name starts hidden or
// as an option.
QString SafeName(const QString& base) {
  static const QRegularExpression kSpecial(u"[^\\w.-]+"_s, QRegularExpression::UseUnicodePropertiesOption);
  QString name = QString(base).replace(kSpecial, u"-"_s);
  while (name.startsWith(u'.') || name.startsWith(u'-')) name.remove(0, 1);
  return name.isEmpty() ? u"pivlo-show"_s : name;
}

// The command XScreenSaver runs: the show in the window it passes.
QString HackCommand(const QString& program) { return ShellWord(program) + u" --root"_s; }

// One argument of a desktop entry's Exec key, quoted as the desktop's rules ask.
QString DesktopWord(const QString& word) {
  static const QRegularExpression kReserved(u"[\\s\"'\\\\><~|&;$*?#()`]"_s);
  if (!word.contains(kReserved)) return word;
  QString quoted = word;
  quoted.replace(u'\\', u"\\\\\\\\"_s).replace(u'"', u"\\\""_s).replace(u'`', u"\\`"_s).replace(u'$', u"\\$"_s);
  return u'"' + quoted + u'"';
}

// A desktop entry's text value on one line.
QString DesktopText(const QString& text) { return QString(text).replace(u'\\', u"\\\\"_s).replace(u'\n', u' '); }

// The user's settings file as text: empty when there is none, nothing when it is no
// readable text file.
std::optional<QString> ReadSettingsText(const QString& path, QString* why) {
  if (!QFileInfo::exists(path)) return QString();
  QFile file;
  if (!OpenRegularFile(file, path)) {
    *why = Texts::tr("不是可以读取的普通文件");
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(bytes);
  if (utf8.hasError()) {
    *why = Texts::tr("不是 UTF-8 文本");
    return std::nullopt;
  }
  return text;
}

QString DisplayName(const ScreensaverPackage& package, const QString& fallback) {
  const QString name = package.Settings().Get(IndexedKey(u"TxtSetting("_s, kInfoName)).ToText().trimmed();
  return name.isEmpty() ? fallback : name;
}

// The package's icon as a PNG beside the copy; false when it has none that can be read.
bool WriteIcon(const ScreensaverPackage& package, const QString& path) {
  const QList<QImage> images = PackageIconImages(package);
  const QImage icon = images.isEmpty() ? QImage() : images.constFirst();
  QByteArray png;
  QBuffer buffer(&png);
  return !icon.isNull() && buffer.open(QIODevice::WriteOnly) && icon.save(&buffer, "PNG") &&
         ReplaceFileContents(path, png);
}

QString DesktopEntry(const QString& title, const QString& program, const QString& icon) {
  return u"[Desktop Entry]\n"
         u"Type=Application\n"
         u"Name="_s +
         DesktopText(title) + u"\nComment="_s + DesktopText(Texts::tr("用 Pivlo 制作的图片屏幕保护")) +
         u"\nTryExec="_s + program + u"\nExec="_s + DesktopWord(program) + u" --root\nIcon="_s + icon +
         u"\nTerminal=false\nStartupNotify=false\nNoDisplay=true\nCategories=Screensaver;\n"_s;
}

}  // namespace

UserPlaces UserPlaces::OfThisUser() {
  UserPlaces places;
  places.home = QDir::homePath();
  places.data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  places.xscreensaver = !QStandardPaths::findExecutable(u"xscreensaver"_s).isEmpty();
  places.system_list = u"/etc/X11/app-defaults/XScreenSaver"_s;
  places.wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland" || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
  return places;
}

QString SwayidleLine(const QString& installed) {
  const QString program = ShellWord(installed);
  // swayidle hands each command to sh, so the path keeps its own quoting inside.
  return u"swayidle -w timeout 600 \""_s + program + u" --fullscreen\" resume \"pkill -f "_s + program + u"\""_s;
}

QString InstalledScreensaverName(const QString& output) { return SafeName(QFileInfo(output).completeBaseName()); }

std::optional<InstallResult> InstallScreensaver(const QString& output, const UserPlaces& places, QString* error) {
  QString why;
  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(output, &why);
  if (!package) {
    if (error) *error = Texts::tr("%1：不是屏幕保护文件（%2）").arg(output, why);
    return std::nullopt;
  }
  const QString name = InstalledScreensaverName(output);
  const QString program = ProgramPath(places, name);
  const QString title = DisplayName(*package, name);
  InstallResult result;

  QDir().mkpath(Folder(places));
  if (QFileInfo(output).canonicalFilePath() != QFileInfo(program).canonicalFilePath() &&
      !CopyFileContents(output, program, &why)) {
    if (error) *error = why;
    return std::nullopt;
  }
  QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther |
                                     QFile::ReadGroup | QFile::ReadOther);
  result.lines << Texts::tr("已安装：%1").arg(program);

  // The package's own icon, else the program's.
  const QString icon_file = IconPath(places, name);
  const QString icon = WriteIcon(*package, icon_file) ? icon_file : u"pivlo"_s;
  if (icon != icon_file) QFile::remove(icon_file);
  const QString desktop = DesktopPath(places, name);
  QDir().mkpath(QFileInfo(desktop).path());
  if (!ReplaceFileContents(desktop, DesktopEntry(title, program, icon).toUtf8(), &why)) {
    if (error) *error = why;
    return std::nullopt;
  }
  result.lines << Texts::tr("桌面项：%1").arg(desktop);
  if (places.wayland) {
    result.lines << Texts::tr("Wayland 会话没有屏幕保护：可以让空闲工具启动它，例如 %1").arg(SwayidleLine(program));
  }

  if (!places.xscreensaver) {
    result.lines << Texts::tr("没有安装 XScreenSaver：屏幕保护没有加入它的列表，只安装了桌面项");
    return result;
  }
  const QString settings = SettingsPath(places);
  std::optional<QString> text = ReadSettingsText(settings, &why);
  QString system;
  if (QFile file; text && OpenRegularFile(file, places.system_list)) system = QString::fromUtf8(file.readAll());
  const std::optional<ProgramsEdit> edit =
      text ? AddXScreenSaverProgram(*text, title, HackCommand(program), system, &why) : std::nullopt;
  if (!edit || (edit->changed && !ReplaceFileContents(settings, edit->text.toUtf8(), &why))) {
    result.lines << Texts::tr("%1 保持原样：%2").arg(settings, why);
    result.complete = false;
    return result;
  }
  result.lines << (edit->changed ? Texts::tr("已加入 XScreenSaver 的列表：%1").arg(settings)
                                 : Texts::tr("XScreenSaver 的列表里已经有它：%1").arg(settings));
  result.lines << Texts::tr("请运行 xscreensaver-settings，在列表里选择“%1”").arg(title);
  return result;
}

std::optional<InstallResult> RemoveScreensaver(const QString& name, const UserPlaces& places, QString* error) {
  // Only a name install gives: nothing outside the screensavers' folders is touched.
  if (name != SafeName(name)) {
    if (error) *error = Texts::tr("%1：不是安装屏幕保护时用的名字").arg(name);
    return std::nullopt;
  }
  const QString program = ProgramPath(places, name);
  InstallResult result;
  QString why;
  const QString settings = SettingsPath(places);
  if (const std::optional<QString> text = ReadSettingsText(settings, &why); !text) {
    result.lines << Texts::tr("%1 保持原样：%2").arg(settings, why);
    result.complete = false;
  } else if (const std::optional<ProgramsEdit> edit = RemoveXScreenSaverProgram(*text, HackCommand(program), &why);
             !edit || (edit->changed && !ReplaceFileContents(settings, edit->text.toUtf8(), &why))) {
    result.lines << Texts::tr("%1 保持原样：%2").arg(settings, why);
    result.complete = false;
  } else if (edit->changed) {
    result.lines << Texts::tr("已从 XScreenSaver 的列表中删除：%1").arg(settings);
  }
  for (const QString& file : {DesktopPath(places, name), IconPath(places, name), program}) {
    if (QFile::remove(file)) result.lines << Texts::tr("已删除：%1").arg(file);
  }
  if (result.lines.isEmpty()) {
    if (error) *error = Texts::tr("%1：没有以这个名字安装的屏幕保护").arg(name);
    return std::nullopt;
  }
  return result;
}

}  // namespace pivlo
