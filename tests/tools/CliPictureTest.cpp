#include "CliRunner.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::RunCli;

QRgb Colour(int x, int y) {
  return qRgb(x * 50, y * 80, 200 - x * 10);
}

// A 5 x 3 TGA of the colours, stored bottom row first.
QByteArray Tga24() {
  test::TgaLayout layout;
  layout.width = 5;
  layout.height = 3;
  for (int y = 2; y >= 0; --y) {
    for (int x = 0; x < 5; ++x) layout.pixels += test::Bytes({qBlue(Colour(x, y)), qGreen(Colour(x, y)), qRed(Colour(x, y))});
  }
  return test::TgaFile(layout);
}

TEST(CliProbe, OneLinePerFile) {
  test::TempFolder folder;
  const QString tga = folder.Write(QStringLiteral("picture.tga"), Tga24());
  const QString png = folder.Write(QStringLiteral("palette.png"),
                                   test::Encoded(test::MakeImage(6, 4, QImage::Format_Indexed8, Colour), "png"));
  const QString junk = folder.Write(QStringLiteral("junk\tname.bin"), QByteArray("junk"));
  const auto result = RunCli({QStringLiteral("probe"), tga, png, junk});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, QByteArray());
  EXPECT_EQ(QString::fromUtf8(result.out), QStringLiteral("TGA\t5\t3\t24\t") + tga + u'\n' +
                                               QStringLiteral("PNG\t6\t4\t8\t") + png + u'\n' +
                                               QStringLiteral("UnKnown\t0\t0\t0\t") +
                                               folder.Path(QStringLiteral("junk\\tname.bin")) + u'\n');
}

TEST(CliDecode, DrawsOurTgaExactlyAsItsPixels) {
  test::TempFolder folder;
  const QString tga = folder.Write(QStringLiteral("picture.tga"), Tga24());
  const QString out = folder.Path(QStringLiteral("out.png"));
  const auto result = RunCli({QStringLiteral("decode"), tga, out});
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32),
            test::MakeImage(5, 3, QImage::Format_RGB32, Colour));

  // Stretched into a target of the given size.
  ASSERT_EQ(RunCli({QStringLiteral("decode"), tga, out, QStringLiteral("--mode"), QStringLiteral("4"),
                    QStringLiteral("--size"), QStringLiteral("50x30")})
                .exit_code,
            0);
  EXPECT_EQ(QImage(out).size(), QSize(50, 30));
}

TEST(CliDecode, WrongArgumentsAndUndrawableFiles) {
  test::TempFolder folder;
  const QString tga = folder.Write(QStringLiteral("picture.tga"), Tga24());
  const QString out = folder.Path(QStringLiteral("out.png"));
  const QList<QStringList> wrong = {
      {QStringLiteral("decode"), tga},
      {QStringLiteral("decode"), tga, out, QStringLiteral("--mode")},
      {QStringLiteral("decode"), tga, out, QStringLiteral("--mode"), QStringLiteral("5")},
      {QStringLiteral("decode"), tga, out, QStringLiteral("--size"), QStringLiteral("10x0")},
      {QStringLiteral("decode"), tga, out, QStringLiteral("--colour"), QStringLiteral("red")},
      {QStringLiteral("probe")},
      {QStringLiteral("convert"), tga},
  };
  for (const QStringList& args : wrong) EXPECT_EQ(RunCli(args).exit_code, 2) << args.join(u' ').toStdString();

  test::TgaLayout fifteen;
  fifteen.width = 4;
  fifteen.height = 4;
  fifteen.depth = 15;
  fifteen.pixels = QByteArray(32, '\x10');
  for (const QString& path : {folder.Write(QStringLiteral("fifteen.tga"), test::TgaFile(fifteen)),
                              folder.Write(QStringLiteral("junk.tga"), QByteArray("junk")),
                              folder.Path(QStringLiteral("missing.tga"))}) {
    const auto result = RunCli({QStringLiteral("decode"), path, out});
    EXPECT_EQ(result.exit_code, 1) << path.toStdString();
    EXPECT_EQ(result.err.count('\n'), 1) << path.toStdString();
  }
}

TEST(CliConvert, WritesWhatThePackageHolds) {
  test::TempFolder folder;
  const QString tga = folder.Write(QStringLiteral("picture.tga"), Tga24());
  const QString out = folder.Path(QStringLiteral("out.bin"));
  auto result = RunCli({QStringLiteral("convert"), tga, out});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, QByteArray("JPG\tconverted\t5\t3\n"));
  EXPECT_EQ(QImage(out, "jpeg").size(), QSize(5, 3));

  const QByteArray gif = test::GifFile(6, 4, {qRgb(1, 2, 3), qRgb(200, 0, 0)}, QByteArray(24, '\1'));
  result = RunCli({QStringLiteral("convert"), folder.Write(QStringLiteral("picture.gif"), gif), out});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, QByteArray("GIF\tsource\t6\t4\n"));
  EXPECT_EQ(test::ReadWholeFile(out), gif);

  result = RunCli({QStringLiteral("convert"), folder.Path(QStringLiteral("missing.gif")), out});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(test::ReadWholeFile(out), gif);
}

}  // namespace
}  // namespace pivlo
