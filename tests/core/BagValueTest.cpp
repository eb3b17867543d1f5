#include "core/BagValue.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

TEST(BagValue, ConstructorsChooseTheKind) {
  EXPECT_EQ(BagValue().kind(), BagValue::Kind::Empty);
  EXPECT_EQ(BagValue(qint16(3)).kind(), BagValue::Kind::Int16);
  EXPECT_EQ(BagValue(3).kind(), BagValue::Kind::Int32);
  EXPECT_EQ(BagValue(3.0f).kind(), BagValue::Kind::Float32);
  EXPECT_EQ(BagValue(true).kind(), BagValue::Kind::Bool);
  EXPECT_EQ(BagValue("文字").kind(), BagValue::Kind::Text);
  EXPECT_EQ(BagValue("文字").AsText(), QStringLiteral("文字"));
  EXPECT_EQ(BagValue(QByteArray("ab")).kind(), BagValue::Kind::Bytes);
}

TEST(BagValue, Conversions) {
  const struct {
    BagValue value;
    const char* text;
    qint32 integer;
    float real;
    bool truth;
  } cases[] = {
      {BagValue(), "", 0, 0.0f, false},
      {BagValue(qint16(-7)), "-7", -7, -7.0f, true},
      {BagValue(123456), "123456", 123456, 123456.0f, true},
      {BagValue(2.5f), "2.5", 2, 2.5f, true},
      {BagValue(3.5f), "3.5", 4, 3.5f, true},
      {BagValue(true), "True", -1, -1.0f, true},
      {BagValue(false), "False", 0, 0.0f, false},
      {BagValue(" 12 "), " 12 ", 12, 12.0f, true},
      {BagValue("10.5"), "10.5", 10, 10.5f, true},
      {BagValue("True"), "True", 0, 0.0f, true},
      {BagValue("abc"), "abc", 0, 0.0f, false},
      {BagValue(QByteArray("xyz")), "", 0, 0.0f, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.value.ToText(), QString::fromUtf8(c.text));
    EXPECT_EQ(c.value.ToInt32(), c.integer);
    EXPECT_EQ(c.value.ToFloat(), c.real);
    EXPECT_EQ(c.value.ToBool(), c.truth);
  }
}

}  // namespace
}  // namespace pivlo
