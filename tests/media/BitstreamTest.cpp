#include "media/Bitstream.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

TEST(Bitstream, ReadsFieldsMostSignificantBitFirstAcrossBytes) {
  Bitstream bits;
  const QByteArray bytes("\x00\xFF\xFB\x94\x64\x12\x34\x56\x78\x9A", 10);
  bits.SetData(bytes, 1, 9);  // from the 0xFF
  bits.SkipBits(11);
  EXPECT_EQ(bits.ReadBits(2), 3u);     // version
  EXPECT_EQ(bits.ReadBits(2), 1u);     // layer
  EXPECT_EQ(bits.ReadBits(1), 1u);     // protection
  EXPECT_EQ(bits.ReadBits(4), 9u);     // bit rate index
  EXPECT_EQ(bits.ReadBits(2), 1u);     // sample rate index
  EXPECT_EQ(bits.ReadBits(1), 0u);
  EXPECT_EQ(bits.ReadBits(1), 0u);
  EXPECT_EQ(bits.ReadBits(3), 0x3u);   // 011 of 0x64
  EXPECT_EQ(bits.ReadBits(32), 0x2091A2B3u);  // 00100, 0x12 0x34 0x56, then 011 of 0x78
  EXPECT_EQ(bits.ReadBits(5), 0x18u);  // the low 5 bits of 0x78
  EXPECT_EQ(bits.ReadBits(8), 0x9Au);
  EXPECT_FALSE(bits.Overrun());
  EXPECT_EQ(bits.ReadBits(1), 0u);
  EXPECT_TRUE(bits.Overrun());
}

TEST(Bitstream, SkipsAcrossByteBoundariesAndRefusesTheImpossible) {
  Bitstream bits;
  bits.SetData(QByteArray("\xAB\xCD\xEF", 3), 0, 3);
  bits.SkipBits(5);
  bits.SkipBits(5);  // carries into the second byte
  EXPECT_EQ(bits.ReadBits(6), 0x0Du);
  bits.SkipBits(8);
  EXPECT_FALSE(bits.Overrun());
  bits.SkipBits(1);
  EXPECT_TRUE(bits.Overrun());

  bits.SetData(QByteArray("\xFF", 1), 0, 1);
  EXPECT_EQ(bits.ReadBits(33), 0u);
  EXPECT_TRUE(bits.Overrun());

  bits.SetData(QByteArray("\x12\x34", 2), 5, 100);  // a range outside the bytes copies nothing
  EXPECT_EQ(bits.ReadBits(8), 0u);
  EXPECT_TRUE(bits.Overrun());
}

}  // namespace
}  // namespace pivlo
