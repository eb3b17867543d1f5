#include "core/NumberText.h"
#include "core/PathRules.h"
#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pivlo {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct { double in, out; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {2.4999999, 2}, {2.5000001, 3}, {-2.6, -3}, {7, 7}, {4503599627370495.5, 4503599627370496},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(RoundHalfEven, ToInt32IsHeldWithinRange) {
  EXPECT_EQ(RoundToInt32(6.5), 6);
  EXPECT_EQ(RoundToInt32(7.5), 8);
  EXPECT_EQ(RoundToInt32(1e12), std::numeric_limits<qint32>::max());
  EXPECT_EQ(RoundToInt32(-1e12), std::numeric_limits<qint32>::min());
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
}

TEST(FloatToShortestText, ReadsBackExactly) {
  const struct { float in; const char* out; } cases[] = {
      {10.0f, "10"}, {3.5f, "3.5"}, {0.1f, "0.1"}, {10.125f, "10.125"}, {-2.0f, "-2"},
      {1.0f / 3.0f, "0.33333334"}, {1e20f, "1e+20"}, {0.0f, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToShortestText(c.in), QString::fromLatin1(c.out)) << c.out;
}

TEST(PathRules, FileTypeIsTheLastThreeCharactersUpperCased) {
  EXPECT_EQ(FileTypeOfPath(QStringLiteral("/home/u/photo.jpg")), QStringLiteral("JPG"));
  EXPECT_EQ(FileTypeOfPath(QStringLiteral("/home/u/Photo.Jpeg")), QStringLiteral("PEG"));
  EXPECT_EQ(FileTypeOfPath(QStringLiteral("/home/u/歌曲.mp3")), QStringLiteral("MP3"));
  EXPECT_EQ(FileTypeOfPath(QStringLiteral("ab")), QStringLiteral("AB"));
}

TEST(PathRules, PathsShorterThanEightCharactersMeanNone) {
  EXPECT_FALSE(IsPathSet(QString()));
  EXPECT_FALSE(IsPathSet(QStringLiteral(" ")));
  EXPECT_FALSE(IsPathSet(QStringLiteral("/a/b.jp")));
  EXPECT_TRUE(IsPathSet(QStringLiteral("/a/b.jpg")));
  EXPECT_TRUE(IsPathSet(QStringLiteral("/图片/风景照片.jpg")));
}

}  // namespace
}  // namespace pivlo
