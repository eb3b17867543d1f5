#include "core/PropertyBag.h"
#include "core/basPropertyBag.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace pivlo {
namespace {

PropertyBag EveryKind() {
  PropertyBag bag;
  bag.Put(QStringLiteral("Short"), qint16(-32768));
  bag.Put(QStringLiteral("Long"), std::numeric_limits<qint32>::min());
  bag.Put(QStringLiteral("Float"), 0.1f);
  bag.Put(QStringLiteral("Text"), QStringLiteral("屏幕保护\t\"x\"\r\n"));
  bag.Put(QStringLiteral("EmptyText"), QString());
  bag.Put(QStringLiteral("Yes"), true);
  bag.Put(QStringLiteral("No"), false);
  bag.Put(QStringLiteral("Bytes"), QByteArray("\0\1\2\xFF", 4));
  bag.Put(QStringLiteral("键(1)"), 7);
  return bag;
}

std::vector<PropertyBag::Entry> Reloaded(const PropertyBag& bag) {
  PropertyBag loaded;
  EXPECT_TRUE(loaded.SetContents(bag.Contents()));
  return loaded.Entries();
}

void ExpectSameEntries(const std::vector<PropertyBag::Entry>& a, const std::vector<PropertyBag::Entry>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].key, b[i].key);
    EXPECT_EQ(a[i].value, b[i].value) << a[i].key.toStdString();
  }
}

TEST(PropertyBag, RoundTripKeepsKindsValuesAndOrder) {
  const PropertyBag bag = EveryKind();
  ExpectSameEntries(Reloaded(bag), bag.Entries());
  EXPECT_EQ(bag.Get(QStringLiteral("Float")).kind(), BagValue::Kind::Float32);
  EXPECT_EQ(bag.Get(QStringLiteral("Short")).kind(), BagValue::Kind::Int16);
}

TEST(PropertyBag, EmptyBagRoundTrips) {
  PropertyBag bag = EveryKind();
  EXPECT_TRUE(bag.SetContents(PropertyBag().Contents()));
  EXPECT_TRUE(bag.IsEmpty());
}

TEST(PropertyBag, PutReplacesInPlaceAndAppendKeepsRepeats) {
  PropertyBag bag;
  bag.Put(QStringLiteral("A"), 1);
  bag.Put(QStringLiteral("B"), 2);
  bag.Append(QStringLiteral("R"), QStringLiteral("x"));
  bag.Append(QStringLiteral("C"), 3);
  bag.Append(QStringLiteral("R"), QStringLiteral("y"));
  bag.Append(QStringLiteral("R"), QStringLiteral("z"));
  bag.Put(QStringLiteral("B"), QStringLiteral("two"));

  EXPECT_EQ(bag.Get(QStringLiteral("B")), BagValue(QStringLiteral("two")));
  EXPECT_EQ(bag.Get(QStringLiteral("R")), BagValue(QStringLiteral("x")));
  EXPECT_EQ(bag.Values(QStringLiteral("R")),
            (QList<BagValue>{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
  // Repeats survive saving and loading, in order.
  PropertyBag loaded;
  ASSERT_TRUE(loaded.SetContents(bag.Contents()));
  EXPECT_EQ(loaded.Values(QStringLiteral("R")), bag.Values(QStringLiteral("R")));

  // Putting a repeated key leaves it one value, in the place of the first.
  bag.Put(QStringLiteral("R"), QStringLiteral("only"));
  QStringList keys;
  for (const auto& entry : bag.Entries()) keys << entry.key;
  EXPECT_EQ(keys, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("R"), QStringLiteral("C")}));
  EXPECT_EQ(bag.Values(QStringLiteral("R")), QList<BagValue>{QStringLiteral("only")});
  EXPECT_EQ(bag.Get(QStringLiteral("C")), BagValue(3));
}

TEST(PropertyBag, AbsentKeysGiveTheFallbackAndEmptyValuesAreKeptAsText) {
  PropertyBag bag;
  bag.Put(QStringLiteral("E"), BagValue());
  EXPECT_EQ(bag.Get(QStringLiteral("E")), BagValue(QString()));
  EXPECT_FALSE(bag.Contains(QStringLiteral("Missing")));
  EXPECT_TRUE(bag.Get(QStringLiteral("Missing")).IsEmpty());
  EXPECT_EQ(bag.Get(QStringLiteral("Missing"), qint16(0)), BagValue(qint16(0)));
  EXPECT_TRUE(bag.Values(QStringLiteral("Missing")).isEmpty());
}

TEST(PropertyBag, SerialisedFormStartsWithSignatureAndLength) {
  const QByteArray bytes = EveryKind().Contents();
  ASSERT_GE(bytes.size(), 12);
  EXPECT_EQ(quint8(bytes[0]), 0x93);
  EXPECT_EQ(quint8(bytes[1]), 0xB2);
  EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(bytes.size()));
  // Whatever follows the recorded length (a resource package's entries) is not the bag's.
  PropertyBag loaded;
  EXPECT_TRUE(loaded.SetContents(bytes + QByteArray(100, 'x')));
  EXPECT_EQ(loaded.Entries().size(), EveryKind().Entries().size());
}

TEST(PropertyBag, EveryTruncationIsRefusedAndLeavesTheBagAlone) {
  const QByteArray bytes = EveryKind().Contents();
  PropertyBag bag;
  bag.Put(QStringLiteral("Kept"), 1);
  for (qsizetype n = 0; n < bytes.size(); ++n) {
    QByteArray cut = bytes.first(n);
    if (n >= 8) qToLittleEndian<quint32>(quint32(n), cut.data() + 4);  // the length agrees with the cut
    EXPECT_FALSE(bag.SetContents(cut)) << n;
  }
  ASSERT_EQ(bag.Entries().size(), 1u);
  EXPECT_EQ(bag.Get(QStringLiteral("Kept")), BagValue(1));
}

// A bag of one text entry "K" = "v": header (12), kind (1), key length (4), "K",
// text length (4), "v".
QByteArray OneText() {
  PropertyBag bag;
  bag.Put(QStringLiteral("K"), QStringLiteral("v"));
  return bag.Contents();
}

TEST(PropertyBag, DamagedBagsAreRefused) {
  const auto set_u32 = [](QByteArray& b, int at, quint32 v) { qToLittleEndian<quint32>(v, b.data() + at); };
  const struct {
    const char* name;
    std::function<void(QByteArray&)> damage;
  } cases[] = {
      {"signature", [](QByteArray& b) { b[1] = 0x00; }},
      {"format version", [](QByteArray& b) { b[2] = 9; }},
      {"reserved byte", [](QByteArray& b) { b[3] = 1; }},
      {"length past the end", [&](QByteArray& b) { set_u32(b, 4, b.size() + 1); }},
      {"length shorter than the header", [&](QByteArray& b) { set_u32(b, 4, 11); }},
      {"huge count", [&](QByteArray& b) { set_u32(b, 8, 0xFFFFFFFF); }},
      {"count of more entries than stored", [&](QByteArray& b) { set_u32(b, 8, 2); }},
      {"count of fewer entries than stored", [&](QByteArray& b) { set_u32(b, 8, 0); }},
      {"unknown kind", [](QByteArray& b) { b[12] = 7; }},
      {"empty kind", [](QByteArray& b) { b[12] = 0; }},
      {"key length past the end", [&](QByteArray& b) { set_u32(b, 13, 0xFFFFFFF0); }},
      {"text length past the end", [&](QByteArray& b) { set_u32(b, 18, 2); }},
      {"key not UTF-8", [](QByteArray& b) { b[17] = char(0xC3); }},
      {"text not UTF-8", [](QByteArray& b) { b[22] = char(0xFF); }},
  };
  for (const auto& c : cases) {
    QByteArray bytes = OneText();
    ASSERT_EQ(bytes.size(), 23);
    c.damage(bytes);
    PropertyBag bag;
    EXPECT_FALSE(bag.SetContents(bytes)) << c.name;
    EXPECT_TRUE(bag.IsEmpty()) << c.name;
  }
}

TEST(PropertyBag, BooleansOtherThanZeroOrOneAreRefused) {
  PropertyBag bag;
  bag.Put(QStringLiteral("B"), true);
  QByteArray bytes = bag.Contents();
  bytes[bytes.size() - 1] = 2;
  EXPECT_FALSE(PropertyBag().SetContents(bytes));
}

TEST(BagArrays, TextArrayTakesTheRepeatedElementValuesInOrder) {
  PropertyBag bag;
  bag.Put(QStringLiteral("ImgNames_(Type)"), LongToBytesBE(1) + LongToBytesBE(3));
  for (const char* text : {"x", "y", "z"}) bag.Append(QStringLiteral("ImgNames(+cstr(i)+)"), text);
  const auto names = ReadStringArray(QStringLiteral("ImgNames"), bag);
  ASSERT_TRUE(names);
  EXPECT_EQ(names->lower, 1);
  EXPECT_EQ(names->Upper(), 3);
  EXPECT_EQ(names->items, (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
}

TEST(BagArrays, WrittenArraysReadBack) {
  PropertyBag bag;
  WriteStringArray(QStringLiteral("Names"), 1, {QStringLiteral("甲"), QString(), QStringLiteral("丙")}, bag);
  WriteLongArray(QStringLiteral("Sizes"), 1, {5, -1, std::numeric_limits<qint32>::max()}, bag);
  WriteLongArray(QStringLiteral("None"), 1, {}, bag);
  PropertyBag loaded;
  ASSERT_TRUE(loaded.SetContents(bag.Contents()));

  const auto names = ReadStringArray(QStringLiteral("Names"), loaded);
  ASSERT_TRUE(names);
  EXPECT_EQ(names->At(3), QStringLiteral("丙"));
  EXPECT_EQ(names->At(2), QString());
  const auto sizes = ReadLongArray(QStringLiteral("Sizes"), loaded);
  ASSERT_TRUE(sizes);
  EXPECT_EQ(sizes->lower, 1);
  EXPECT_EQ(sizes->items, (QList<qint32>{5, -1, std::numeric_limits<qint32>::max()}));
  EXPECT_FALSE(sizes->HasIndex(0));
  EXPECT_TRUE(sizes->HasIndex(3));
  const auto none = ReadLongArray(QStringLiteral("None"), loaded);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->items.isEmpty());
}

TEST(BagArrays, BoundsThatTheBagCannotBackAreRefused) {
  const auto bounds = [](qint32 lower, qint32 upper) { return LongToBytesBE(lower) + LongToBytesBE(upper); };
  PropertyBag bag;
  bag.Put(QStringLiteral("Huge_(Type)"), bounds(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
  bag.Put(QStringLiteral("Huge"), QByteArray(8, 0));
  bag.Append(QStringLiteral("Huge(+cstr(i)+)"), "a");
  bag.Put(QStringLiteral("Reversed_(Type)"), bounds(5, 1));
  bag.Put(QStringLiteral("Reversed"), QByteArray(8, 0));
  bag.Put(QStringLiteral("Short_(Type)"), QByteArray(7, 0));
  bag.Put(QStringLiteral("Short"), QByteArray(8, 0));
  bag.Put(QStringLiteral("TooFew_(Type)"), bounds(1, 3));
  bag.Put(QStringLiteral("TooFew"), QByteArray(8, 0));
  bag.Append(QStringLiteral("TooFew(+cstr(i)+)"), "a");
  bag.Put(QStringLiteral("NotBytes_(Type)"), 5);
  for (const char* name : {"Huge", "Reversed", "Short", "TooFew", "NotBytes", "Missing"}) {
    EXPECT_FALSE(ReadStringArray(QString::fromLatin1(name), bag)) << name;
    EXPECT_FALSE(ReadLongArray(QString::fromLatin1(name), bag)) << name;
  }
}

// Bounds at the top of the 32-bit range: the upper bound and the indexes are counted in
// 64 bits, never wrapping.
TEST(BagArrays, BoundsAtTheTopOfTheRangeDoNotWrap) {
  constexpr qint32 kTop = std::numeric_limits<qint32>::max();
  const auto bounds = [](qint32 lower, qint32 upper) { return LongToBytesBE(lower) + LongToBytesBE(upper); };
  PropertyBag bag;
  bag.Put(QStringLiteral("One_(Type)"), bounds(kTop, kTop));
  bag.Put(QStringLiteral("One"), QByteArray(4, 7));
  bag.Append(QStringLiteral("One(+cstr(i)+)"), "a");
  bag.Put(QStringLiteral("None_(Type)"), bounds(kTop, kTop - 1));
  bag.Put(QStringLiteral("None"), QByteArray());

  const auto one = ReadLongArray(QStringLiteral("One"), bag);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->Upper(), kTop);
  EXPECT_TRUE(one->HasIndex(kTop));
  EXPECT_FALSE(one->HasIndex(qint64(kTop) + 1));
  EXPECT_EQ(one->At(kTop), 0x07070707);
  const auto names = ReadStringArray(QStringLiteral("One"), bag);
  ASSERT_TRUE(names);
  EXPECT_EQ(names->At(kTop), QStringLiteral("a"));
  const auto none = ReadLongArray(QStringLiteral("None"), bag);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Upper(), qint64(kTop) - 1);
  EXPECT_FALSE(none->HasIndex(kTop));
}

TEST(BigEndianLongs, ConvertBothWays) {
  EXPECT_EQ(LongToBytesBE(1), QByteArray("\x00\x00\x00\x01", 4));
  EXPECT_EQ(LongToBytesBE(-1), QByteArray("\xFF\xFF\xFF\xFF", 4));
  EXPECT_EQ(LongToBytesBE(1000), QByteArray("\x00\x00\x03\xE8", 4));
  EXPECT_EQ(BytesToLongBE(QByteArray("\x80\x00\x00\x01", 4)), -2147483647);
  EXPECT_EQ(BytesToLongBE(LongToBytesBE(-123456789)), -123456789);
}

}  // namespace
}  // namespace pivlo
