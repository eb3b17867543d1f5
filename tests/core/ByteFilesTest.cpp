#include "core/basByteFiles.h"

#include "TestFiles.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::ReadWholeFile;
using test::TempFolder;

QByteArray Counting(qsizetype size) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) bytes[i] = char(i * 7 + i / 251);
  return bytes;
}

// True when a queued event got to run during the call.
template <typename F>
bool PumpsEvents(F&& call) {
  bool ran = false;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ran = true; }, Qt::QueuedConnection);
  call();
  const bool during = ran;
  QCoreApplication::processEvents();  // let a pending call run before `ran` goes away
  return during;
}

TEST(ReadFileBytes, ReadsTheRequestedRange) {
  TempFolder folder;
  const QString path = folder.Write(QStringLiteral("ten"), QByteArray("0123456789"));
  QByteArray data("old");
  EXPECT_EQ(ReadFileBytes(data, path, 4, -1), 6);
  EXPECT_EQ(data, QByteArray("456789"));
  EXPECT_EQ(ReadFileBytes(data, path, 2, 3), 3);
  EXPECT_EQ(data, QByteArray("234"));
  EXPECT_EQ(ReadFileBytes(data, path, 0, 10), 10);
  EXPECT_EQ(data, QByteArray("0123456789"));
}

TEST(ReadFileBytes, RefusesWhatIsNotThereAndLeavesTheArray) {
  TempFolder folder;
  const QString ten = folder.Write(QStringLiteral("ten"), QByteArray("0123456789"));
  const QString empty = folder.Write(QStringLiteral("empty"), QByteArray());
  const struct {
    const char* name;
    QString path;
    qint64 offset, length;
  } cases[] = {
      {"missing file", folder.Path(QStringLiteral("missing")), 0, -1},
      {"empty file", empty, 0, -1},
      {"a folder", folder.Path(QString()), 0, -1},
      {"past the end", ten, 8, 3},
      {"offset past the end", ten, 11, -1},
      {"negative offset", ten, -1, 2},
      {"zero length", ten, 0, 0},
      {"huge length", ten, 0, qint64(1) << 40},
  };
  for (const auto& c : cases) {
    QByteArray data("keep");
    EXPECT_EQ(ReadFileBytes(data, c.path, c.offset, c.length), 0) << c.name;
    EXPECT_EQ(data, QByteArray("keep")) << c.name;
  }
}

TEST(ReadFileBytes, ReadsThroughAnOpenFile) {
  TempFolder folder;
  QFile file(folder.Write(QStringLiteral("ten"), QByteArray("0123456789")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray data;
  EXPECT_EQ(ReadFileBytes(data, file, 7, 3), 3);
  EXPECT_EQ(data, QByteArray("789"));
  EXPECT_EQ(ReadFileBytes(data, file, 0, 0), 0);
  EXPECT_EQ(ReadFileBytes(data, file, 0, -1), 0);  // up-to-the-end needs the path form
  EXPECT_EQ(data, QByteArray("789"));
}

TEST(ReadFileBytes, LongReadsAreChunkedAndKeepTheWindowAlive) {
  TempFolder folder;
  const QByteArray big = Counting(12 * 1024 * 1024 + 5);
  const QString path = folder.Write(QStringLiteral("big"), big);
  QByteArray data;
  EXPECT_TRUE(PumpsEvents([&] { EXPECT_EQ(ReadFileBytes(data, path, 0, -1), big.size()); }));
  EXPECT_EQ(data, big);
  EXPECT_FALSE(PumpsEvents([&] { EXPECT_EQ(ReadFileBytes(data, path, 5, 12 * 1024 * 1024 - 1), 12 * 1024 * 1024 - 1); }));
  EXPECT_EQ(data, big.sliced(5, 12 * 1024 * 1024 - 1));
}

TEST(WriteFileBytes, NeverShortensTheFile) {
  TempFolder folder;
  QByteArray hundred(100, 'a');
  const QString path = folder.Write(QStringLiteral("hundred"), hundred);
  ASSERT_TRUE(WriteFileBytes(QByteArray("xyz"), path, 10));
  hundred.replace(10, 3, "xyz");
  EXPECT_EQ(ReadWholeFile(path), hundred);
}

TEST(WriteFileBytes, CreatesAMissingFileAndFillsAGap) {
  TempFolder folder;
  const QString path = folder.Path(QStringLiteral("new"));
  ASSERT_TRUE(WriteFileBytes(QByteArray("ab"), path, 3));
  EXPECT_EQ(ReadWholeFile(path), QByteArray("\0\0\0ab", 5));
  EXPECT_FALSE(WriteFileBytes(QByteArray("ab"), folder.Path(QStringLiteral("no/such/folder")), 0));
  EXPECT_FALSE(WriteFileBytes(QByteArray("ab"), path, -1));
}

TEST(WriteFileBytes, LongWritesAreChunkedAndKeepTheWindowAlive) {
  TempFolder folder;
  const QString path = folder.Path(QStringLiteral("big"));
  const QByteArray big = Counting(2 * 1024 * 1024 + 3);
  EXPECT_TRUE(PumpsEvents([&] { EXPECT_TRUE(WriteFileBytes(big, path, 1)); }));
  EXPECT_EQ(ReadWholeFile(path), QByteArray(1, '\0') + big);
  EXPECT_FALSE(PumpsEvents([&] { EXPECT_TRUE(WriteFileBytes(big.first(2 * 1024 * 1024 - 1), path, 0)); }));
}

TEST(WriteFileBytes, WritesThroughAnOpenFile) {
  TempFolder folder;
  QFile file(folder.Write(QStringLiteral("f"), QByteArray("0123456789")));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(WriteFileBytes(QByteArray("AB"), file, 8));
  ASSERT_TRUE(WriteFileBytes(QByteArray("CD"), file, 10));
  file.close();
  EXPECT_EQ(ReadWholeFile(file.fileName()), QByteArray("01234567ABCD"));
}

}  // namespace
}  // namespace pivlo
