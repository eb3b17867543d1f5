// The layout canvas on the command line: the picture and text of a page, as the editor
// composes them.

#include "CliRunner.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QImage>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

TEST(CliCompose, WritesTheCanvasOfAPageAndRefusesAPictureItDoesNotHave) {
  test::TempFolder folder;
  const QString picture = folder.Write(
      u"red.png"_s, test::Encoded(test::MakeImage(64, 48, QImage::Format_RGB32, [](int, int) { return qRgb(255, 0, 0); }),
                                  "png"));
  const QString project = folder.Path(u"show.aps"_s);
  const auto created = RunCli({u"project"_s, u"create"_s, project, u"--picture"_s, picture, u"--picture"_s,
                               folder.Write(u"copy.png"_s, test::ReadWholeFile(picture)), u"--set"_s,
                               u"ImgCaption(2)=海边的日落"_s, u"--set"_s, u"ImgDrawScale=4"_s});
  ASSERT_EQ(created.exit_code, 0) << created.err.toStdString();
  const QString plain = folder.Path(u"plain.png"_s);
  const QString caption = folder.Path(u"caption.png"_s);
  ASSERT_EQ(RunCli({u"compose"_s, project, plain, u"--picture"_s, u"2"_s}).exit_code, 0);
  const auto composed = RunCli({u"compose"_s, project, caption, u"--picture"_s, u"2"_s, u"--mode"_s, u"1"_s,
                                u"--size"_s, u"320x180"_s});
  ASSERT_EQ(composed.exit_code, 0) << composed.err.toStdString();
  EXPECT_EQ(QImage(plain).size(), QSize(480, 360));
  const QImage shown(caption);
  ASSERT_EQ(shown.size(), QSize(320, 180));
  EXPECT_EQ(shown.pixel(160, 40), qRgb(255, 0, 0));
  int white = 0;
  for (int y = 120; y < 180; ++y) {
    for (int x = 0; x < 320; ++x) white += qGreen(shown.pixel(x, y)) > 200 ? 1 : 0;
  }
  EXPECT_GT(white, 20) << "the caption at the bottom";

  const auto missing = RunCli({u"compose"_s, project, plain, u"--picture"_s, u"3"_s});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(missing.err.contains("no picture 3")) << missing.err.toStdString();
  EXPECT_EQ(RunCli({u"compose"_s, project, plain, u"--picture"_s, u"1"_s, u"--mode"_s, u"5"_s}).exit_code, 2);
  EXPECT_EQ(RunCli({u"compose"_s, project, plain}).exit_code, 2);
}

}  // namespace
}  // namespace pivlo
