#include "CliRunner.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::RunCli;
using test::TempFolder;

QByteArray FlatPng(QRgb colour) {
  return test::Encoded(test::MakeImage(64, 48, QImage::Format_RGB32, [colour](int, int) { return colour; }), "png");
}

TEST(CliTransition, RunsThePushAndWritesEveryFrame) {
  TempFolder folder;
  const QString from = folder.Write(QStringLiteral("a.png"), FlatPng(qRgb(200, 0, 0)));
  const QString to = folder.Write(QStringLiteral("b.png"), FlatPng(qRgb(0, 0, 200)));
  const QString out = folder.Path(QStringLiteral("frames"));
  const auto result = RunCli({QStringLiteral("transition"), QStringLiteral("13"), QStringLiteral("--variant"),
                              QStringLiteral("1"), QStringLiteral("--from"), from, QStringLiteral("--to"), to,
                              QStringLiteral("--size"), QStringLiteral("64x48"), QStringLiteral("--unpaced"),
                              QStringLiteral("--out"), out});
  ASSERT_EQ(result.exit_code, 0) << result.err.constData();
  EXPECT_TRUE(result.out.startsWith("frames=25\nelapsed_ms=")) << result.out.constData();  // y = 0 to 48 by 2
  EXPECT_TRUE(result.out.contains("\neffect_ms=1000\n")) << result.out.constData();
  const QStringList written = QDir(out).entryList(QDir::Files, QDir::Name);
  ASSERT_EQ(written.size(), 25);
  EXPECT_EQ(written.first(), QStringLiteral("0001.png"));
  // Halfway the incoming picture has come down over the top half; at the end it is whole.
  const QImage middle(QDir(out).filePath(QStringLiteral("0013.png")));
  EXPECT_EQ(middle.pixel(10, 10), qRgb(0, 0, 200));
  EXPECT_EQ(middle.pixel(10, 40), qRgb(200, 0, 0));
  EXPECT_EQ(QImage(QDir(out).filePath(written.last())).pixel(10, 40), qRgb(0, 0, 200));
}

TEST(CliTransition, WrongArgumentsGiveUsageAndBadPicturesAnError) {
  TempFolder folder;
  const QString a = folder.Write(QStringLiteral("a.png"), FlatPng(qRgb(1, 2, 3)));
  const QStringList pictures{QStringLiteral("--from"), a, QStringLiteral("--to"), a};
  const auto args = [&](const QString& position, const QStringList& more) {
    return QStringList{QStringLiteral("transition"), position} + more;
  };
  const QList<QStringList> wrong{
      args(QStringLiteral("23"), pictures + QStringList{QStringLiteral("--variant"), QStringLiteral("0")}),
      args(QStringLiteral("0"), pictures),  // no variant
      args(QStringLiteral("0"), pictures + QStringList{QStringLiteral("--variant"), QStringLiteral("2")}),
      args(QStringLiteral("15"), pictures + QStringList{QStringLiteral("--variant"), QStringLiteral("1")}),
      args(QStringLiteral("1"), {QStringLiteral("--variant"), QStringLiteral("3"), QStringLiteral("--from"), a}),
      args(QStringLiteral("1"), pictures + QStringList{QStringLiteral("--variant"), QStringLiteral("3"),
                                                       QStringLiteral("--size"), QStringLiteral("0x10")}),
      args(QStringLiteral("1"), pictures + QStringList{QStringLiteral("--variant"), QStringLiteral("3"),
                                                       QStringLiteral("--speed"), QStringLiteral("2")}),
  };
  for (const QStringList& command : wrong) {
    const auto result = RunCli(command);
    EXPECT_EQ(result.exit_code, 2) << command.join(u' ').toStdString();
    EXPECT_TRUE(result.err.contains("usage")) << command.join(u' ').toStdString();
  }
  const QString text = folder.Write(QStringLiteral("b.png"), QByteArray("not a picture"));
  const auto bad = RunCli(args(QStringLiteral("15"), {QStringLiteral("--variant"), QStringLiteral("0"),
                                                      QStringLiteral("--from"), a, QStringLiteral("--to"), text}));
  EXPECT_EQ(bad.exit_code, 1);
  EXPECT_TRUE(bad.err.contains("b.png: not a picture")) << bad.err.constData();
}

}  // namespace
}  // namespace pivlo
