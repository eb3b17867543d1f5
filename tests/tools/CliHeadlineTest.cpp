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

QString PictureFile(const TempFolder& folder) {
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(qRgb(20, 60, 120));
  return folder.Write(QStringLiteral("p.png"), test::Encoded(picture, "png"));
}

TEST(CliHeadline, RunsTheEffectAndWritesEveryFrame) {
  TempFolder folder;
  const QString frames = folder.Path(QStringLiteral("frames"));
  const auto result = RunCli({QStringLiteral("headline"), QStringLiteral("0"), QStringLiteral("--text"),
                              QStringLiteral("屏保"), QStringLiteral("--picture"), PictureFile(folder),
                              QStringLiteral("--size"), QStringLiteral("160x120"), QStringLiteral("--box"),
                              QStringLiteral("40,40,80,30"), QStringLiteral("--font"),
                              QStringLiteral("Noto Sans CJK SC"), QStringLiteral("--unpaced"), QStringLiteral("--out"),
                              frames});
  ASSERT_EQ(result.exit_code, 0) << result.err.constData();
  // The still and 26 fading frames, in the 900 ms of the fade on the unpaced clock.
  EXPECT_TRUE(result.out.startsWith("frames=27\nelapsed_ms=")) << result.out.constData();
  EXPECT_TRUE(result.out.endsWith("\neffect_ms=900\n")) << result.out.constData();
  const QStringList files = QDir(frames).entryList(QDir::Files, QDir::Name);
  ASSERT_EQ(files.size(), 27);
  EXPECT_EQ(files.first(), QStringLiteral("0001.png"));
  EXPECT_EQ(files.last(), QStringLiteral("0027.png"));
  // The first frame is the still picture, the last shows the text in its box.
  const QImage still = QImage(QDir(frames).filePath(files.first()));
  const QImage last = QImage(QDir(frames).filePath(files.last()));
  ASSERT_EQ(still.size(), QSize(160, 120));
  EXPECT_EQ(last.pixel(5, 5), still.pixel(5, 5));
  bool text_in_box = false;
  for (int y = 40; y < 71 && !text_in_box; ++y) {
    for (int x = 40; x < 121; ++x) text_in_box = text_in_box || last.pixel(x, y) != still.pixel(x, y);
  }
  EXPECT_TRUE(text_in_box);
}

TEST(CliHeadline, WrongArgumentsGiveUsageAndAMissingPictureAnError) {
  TempFolder folder;
  const QString picture = PictureFile(folder);
  const QStringList base{QStringLiteral("--text"), QStringLiteral("a"), QStringLiteral("--picture"), picture};
  const QList<QStringList> wrong{
      {QStringLiteral("headline")},
      {QStringLiteral("headline"), QStringLiteral("9")},
      {QStringLiteral("headline"), QStringLiteral("1"), QStringLiteral("--picture"), picture},
      QStringList{QStringLiteral("headline"), QStringLiteral("2"), QStringLiteral("--variant"), QStringLiteral("4")} + base,
      QStringList{QStringLiteral("headline"), QStringLiteral("2"), QStringLiteral("--box"), QStringLiteral("1,2,3")} + base,
      QStringList{QStringLiteral("headline"), QStringLiteral("2"), QStringLiteral("--size"), QStringLiteral("0x5")} + base,
      QStringList{QStringLiteral("headline"), QStringLiteral("2"), QStringLiteral("--shadow"), QStringLiteral("1")} + base,
  };
  for (const QStringList& args : wrong) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.exit_code, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.contains("usage")) << args.join(u' ').toStdString();
  }
  const auto missing = RunCli({QStringLiteral("headline"), QStringLiteral("0"), QStringLiteral("--text"),
                               QStringLiteral("a"), QStringLiteral("--picture"), folder.Path(QStringLiteral("none.png"))});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(missing.err.contains("none.png: not a picture")) << missing.err.constData();
}

}  // namespace
}  // namespace pivlo
