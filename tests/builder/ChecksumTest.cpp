#include "builder/basChecksum.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

TEST(ChecksumText, IsUpperCaseHexWithoutLeadingZeros) {
  const struct {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {"123456789", QStringLiteral("CBF43926")},  // the check value; top bit set: 8 digits
      {"123456788", QStringLiteral("BCF309B0")},  // one byte changed
      {"x35", QStringLiteral("77B41E9")},         // a zero top digit is dropped
      {"x31", QStringLiteral("1685F0")},
      {"", QStringLiteral("0")},
  };
  for (const auto& c : cases) EXPECT_EQ(ChecksumText(c.bytes), c.text) << c.bytes.constData();
}

TEST(FileChecksumText, ChecksumsTheWholeFile) {
  test::TempFolder folder;
  EXPECT_EQ(FileChecksumText(folder.Write(QStringLiteral("digits"), "123456789")), QStringLiteral("CBF43926"));
}

TEST(FileChecksumText, IsEmptyForMissingEmptyOrUnreadableFiles) {
  test::TempFolder folder;
  EXPECT_EQ(FileChecksumText(folder.Path(QStringLiteral("missing"))), QString());
  EXPECT_EQ(FileChecksumText(folder.Write(QStringLiteral("empty"), QByteArray())), QString());
  EXPECT_EQ(FileChecksumText(folder.Path(QString())), QString());  // the folder itself
}

}  // namespace
}  // namespace pivlo
