#include "CliRunner.h"
#include "TestFiles.h"

#include <QImage>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::RunCli;
using test::TempFolder;

QStringList TextArgs(const QString& out, const QStringList& options, const QString& text) {
  return QStringList{QStringLiteral("text"), out} + options + QStringList{text};
}

TEST(CliText, DrawsTheStyledTextIntoATransparentPng) {
  TempFolder folder;
  const QString out = folder.Path(QStringLiteral("t.png"));
  const auto result = RunCli(TextArgs(
      out,
      {QStringLiteral("--box"), QStringLiteral("200x100"), QStringLiteral("--font"), QStringLiteral("Noto Sans CJK SC"),
       QStringLiteral("--size"), QStringLiteral("40"), QStringLiteral("--align"), QStringLiteral("8"),
       QStringLiteral("--start"), QStringLiteral("00FF00"), QStringLiteral("--style"), QStringLiteral("1")},
      QStringLiteral("屏保")));
  ASSERT_EQ(result.exit_code, 0) << result.err.constData();
  const QImage image = QImage(out).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(200, 100));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  int left = 200, green = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      left = qMin(left, x);
      if (qAlpha(p) == 255 && qGreen(p) == 255 && qRed(p) == 0) ++green;
    }
  }
  EXPECT_GT(left, 100);  // aligned right
  EXPECT_GT(green, 50);  // solid start colour inside the glyphs
}

TEST(CliText, WrongArgumentsGiveUsageAndAMissingFontAnError) {
  TempFolder folder;
  const QString out = folder.Path(QStringLiteral("t.png"));
  const QStringList base{QStringLiteral("--box"), QStringLiteral("20x10"), QStringLiteral("--font"),
                         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("--size"), QStringLiteral("8")};
  const QList<QStringList> wrong{
      {QStringLiteral("text"), out},
      TextArgs(out, {QStringLiteral("--box"), QStringLiteral("20")}, QStringLiteral("a")),
      TextArgs(out, base + QStringList{QStringLiteral("--align"), QStringLiteral("9")}, QStringLiteral("a")),
      TextArgs(out, base + QStringList{QStringLiteral("--start"), QStringLiteral("red")}, QStringLiteral("a")),
      TextArgs(out, base + QStringList{QStringLiteral("--shadow"), QStringLiteral("1")}, QStringLiteral("a")),
      TextArgs(out, base + QStringList{QStringLiteral("a")}, QStringLiteral("b")),
  };
  for (const QStringList& args : wrong) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.exit_code, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.contains("usage")) << args.join(u' ').toStdString();
  }
  const auto missing = RunCli(TextArgs(out,
                                       {QStringLiteral("--box"), QStringLiteral("20x10"), QStringLiteral("--font"),
                                        QStringLiteral("No Such Family"), QStringLiteral("--size"), QStringLiteral("8")},
                                       QStringLiteral("a")));
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(missing.err.contains("No Such Family"));
  EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace pivlo
