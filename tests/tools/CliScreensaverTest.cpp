// A built screensaver installed for the user and removed again, in a home of the test's
// own, with and without XScreenSaver on the path.

#include "CliRunner.h"
#include "PeFixtures.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

class CliScreensaverTest : public testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(folder_.Path(u"home"_s));
    QDir().mkpath(folder_.Path(u"bare"_s));
    QDir().mkpath(folder_.Path(u"tools"_s));
    // A stand-in for XScreenSaver: only being on the path matters.
    const QString daemon = folder_.Write(u"tools/xscreensaver"_s, "#!/bin/sh\n");
    QFile::setPermissions(daemon, QFile::permissions(daemon) | QFile::ExeOwner);
  }

  // A screensaver named "假日 show.scr", whose settings call it 假日.
  QString Output(const QStringList& build_options = {}) {
    const QString project = folder_.Path(u"show.aps"_s);
    const QImage picture = test::Gradient(4, 3, QImage::Format_RGB32);
    const auto created = RunCli({u"project"_s, u"create"_s, project, u"--picture"_s,
                                 folder_.Write(u"one.jpg"_s, test::Encoded(picture, "jpeg")), u"--picture"_s,
                                 folder_.Write(u"two.jpg"_s, test::Encoded(picture, "jpeg")), u"--set"_s,
                                 u"TxtSetting(0)=假日"_s});
    EXPECT_EQ(created.exit_code, 0) << created.err.toStdString();
    const QString output = folder_.Path(u"假日 show.scr"_s);
    const auto built = RunCli(QStringList{u"build"_s, project, output, u"--force"_s} + build_options);
    EXPECT_EQ(built.exit_code, 0) << built.err.toStdString();
    return output;
  }

  test::CliResult Run(const QStringList& args, bool with_xscreensaver) {
    return test::RunCliWith({u"HOME="_s + Home(), u"XDG_DATA_HOME="_s + Data(),
                             u"PATH="_s + folder_.Path(with_xscreensaver ? u"tools"_s : u"bare"_s)},
                            QStringList{u"screensaver"_s} + args);
  }

  QString Home() const { return folder_.Path(u"home"_s); }
  QString Data() const { return folder_.Path(u"home/data"_s); }
  QString Installed() const { return Data() + u"/pivlo/screensavers/假日-show.scr"_s; }
  QString Desktop() const { return Data() + u"/applications/screensavers/假日-show.desktop"_s; }
  QString Settings() const { return Home() + u"/.xscreensaver"_s; }

  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  test::TempFolder folder_;
};

TEST_F(CliScreensaverTest, WithoutXScreenSaverTheCopyAndItsDesktopEntryAreInstalled) {
  const QString output = Output();
  const auto installed = Run({u"install"_s, output}, false);
  ASSERT_EQ(installed.exit_code, 0) << installed.err.toStdString();
  const QString said = QString::fromUtf8(installed.out);
  EXPECT_TRUE(said.contains(u"没有安装 XScreenSaver"_s)) << said.toStdString();
  EXPECT_EQ(Bytes(Installed()), Bytes(output));
  EXPECT_TRUE(QFileInfo(Installed()).isExecutable());
  const QString entry = QString::fromUtf8(Bytes(Desktop()));
  EXPECT_TRUE(entry.startsWith(u"[Desktop Entry]\n"_s));
  EXPECT_TRUE(entry.contains(u"\nName=假日\n"_s));
  EXPECT_TRUE(entry.contains(u"\nExec="_s + Installed() + u" --root\n"_s)) << entry.toStdString();
  EXPECT_TRUE(entry.contains(u"\nIcon=pivlo\n"_s)) << "no icon of its own: the program's";
  EXPECT_FALSE(QFile::exists(Settings()));
}

TEST_F(CliScreensaverTest, XScreenSaversListGetsOneEntryAndRemovingRestoresIt) {
  const QString output = Output();
  const QByteArray before = "mode:\t\trandom\nprograms:\t\\\n\t\tmaze -root\t\\n\\\n\t\tqix -root\t\\n\n";
  folder_.Write(u"home/.xscreensaver"_s, before);

  const auto installed = Run({u"install"_s, output}, true);
  ASSERT_EQ(installed.exit_code, 0) << installed.err.toStdString();
  EXPECT_TRUE(QString::fromUtf8(installed.out).contains(u"xscreensaver-settings"_s));
  const QByteArray listed = Bytes(Settings());
  EXPECT_TRUE(listed.startsWith(before.left(before.size() - 1))) << listed.toStdString();
  EXPECT_TRUE(listed.contains((u"\"假日\"  "_s + Installed() + u" --root"_s).toUtf8())) << listed.toStdString();

  // Again: nothing doubles.
  ASSERT_EQ(Run({u"install"_s, output}, true).exit_code, 0);
  EXPECT_EQ(Bytes(Settings()), listed);

  const auto removed = Run({u"remove"_s, u"假日-show"_s}, true);
  ASSERT_EQ(removed.exit_code, 0) << removed.err.toStdString();
  EXPECT_EQ(Bytes(Settings()), before);
  for (const QString& gone : {Installed(), Desktop()}) EXPECT_FALSE(QFile::exists(gone)) << gone.toStdString();
  EXPECT_EQ(Run({u"remove"_s, u"假日-show"_s}, true).exit_code, 1) << "nothing left to remove";
  EXPECT_EQ(Run({u"remove"_s, u"../home"_s}, true).exit_code, 1) << "only names install gives";
}

TEST_F(CliScreensaverTest, ASettingsFileThatIsNoListIsLeftAsItWasAndSaidSo) {
  const QByteArray damaged = "programs:\t\\\n\t\tmaze -root\t\\n\\";
  folder_.Write(u"home/.xscreensaver"_s, damaged);
  const auto installed = Run({u"install"_s, Output()}, true);
  EXPECT_EQ(installed.exit_code, 1);
  EXPECT_TRUE(QString::fromUtf8(installed.out).contains(Settings() + u" 保持原样"_s)) << installed.out.toStdString();
  EXPECT_EQ(Bytes(Settings()), damaged);
  EXPECT_TRUE(QFile::exists(Desktop())) << "the rest is installed all the same";
}

TEST_F(CliScreensaverTest, ThePackagesIconBecomesTheDesktopEntrysIcon) {
  const QString icon = folder_.Write(u"red.ico"_s, test::IconFileBytes(32, 32, test::SolidIconImage(qRgb(255, 0, 0))));
  ASSERT_EQ(Run({u"install"_s, Output({u"--icon"_s, icon})}, false).exit_code, 0);
  const QString png = Data() + u"/pivlo/screensavers/假日-show.png"_s;
  EXPECT_TRUE(QString::fromUtf8(Bytes(Desktop())).contains(u"\nIcon="_s + png + u'\n'));
  const QImage shown(png);
  ASSERT_EQ(shown.size(), QSize(32, 32));
  EXPECT_EQ(shown.pixelColor(16, 16), QColor(Qt::red));
}

TEST_F(CliScreensaverTest, WhatIsNoScreensaverIsNotInstalled) {
  const auto refused = Run({u"install"_s, folder_.Write(u"notes.txt"_s, "just text")}, true);
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_TRUE(refused.err.contains("notes.txt")) << refused.err.toStdString();
  EXPECT_FALSE(QDir(Data()).exists());
}

}  // namespace
}  // namespace pivlo
