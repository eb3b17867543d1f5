#include "core/FileReplacement.h"

#include "FaultInjection.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::FileCall;
using testing::HasSubstr;

struct FailingCall {
  FileCall call;
  const char* step;    // what the message names
  const char* reason;  // the system's words for the error
};

class FileReplacementFaults : public testing::TestWithParam<FailingCall> {};

TEST_P(FileReplacementFaults, LeaveTheOldFileWholeAndSayWhy) {
  const FailingCall& fault = GetParam();
  test::TempFolder folder;
  const QString path = folder.Write(u"project.aps"_s, "the old project");
  for (const QByteArray& bytes : {QByteArray("new"), QByteArray(3 * 1024 * 1024, 'n')}) {
    bool replaced = true;
    QString error;
    test::RunWithFailingCall(fault.call, [&] { replaced = ReplaceFileContents(path, bytes, &error); });
    EXPECT_FALSE(replaced);
    EXPECT_EQ(test::ReadWholeFile(path), "the old project");
    EXPECT_EQ(error, path + u": cannot "_s + QString::fromUtf8(fault.step) + u": "_s + QString::fromUtf8(fault.reason));
    EXPECT_EQ(QDir(folder.Path(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{u"project.aps"_s});
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FileReplacementFaults,
    testing::Values(FailingCall{FileCall::Write, "write", "File too large"},
                    FailingCall{FileCall::Sync, "sync", "Input/output error"},
                    FailingCall{FileCall::Rename, "replace", "Input/output error"}),
    [](const testing::TestParamInfo<FailingCall>& info) { return test::FileCallName(info.param.call); });

TEST(FileReplacement, ReplacesInStepsAndKeepsThePermissions) {
  test::TempFolder folder;
  const QString path = folder.Write(u"out.png"_s, "old");
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
  FileReplacement file(path);
  ASSERT_TRUE(file.Write("first ") && file.Write("") && file.Write("second"));
  EXPECT_EQ(test::ReadWholeFile(path), "old");  // nothing shows before the commit
  ASSERT_TRUE(file.Commit()) << file.Error().toStdString();
  EXPECT_EQ(test::ReadWholeFile(path), "first second");
  EXPECT_EQ(QFileInfo(path).permissions() & 0x00FF, QFile::ReadGroup);  // group and others
  EXPECT_TRUE(ReplaceFileContents(folder.Path(u"new"_s), QByteArray()));
  EXPECT_TRUE(QFileInfo(folder.Path(u"new"_s)).isFile());
}

TEST(FileReplacement, RefusesWhatIsNotARegularFile) {
  test::TempFolder folder;
  const QString fifo = folder.Path(u"x.aps"_s);
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QString error;
  EXPECT_FALSE(ReplaceFileContents(fifo, "bytes", &error));
  EXPECT_EQ(error, fifo + u": cannot write: not a regular file"_s);
  EXPECT_FALSE(QFileInfo(fifo).isFile());
  EXPECT_FALSE(ReplaceFileContents(folder.Path(QString()), "bytes", &error));
  EXPECT_FALSE(ReplaceFileContents(folder.Path(u"no/such/folder/x"_s), "bytes", &error));
  EXPECT_THAT(error.toStdString(), HasSubstr("cannot create"));
}

TEST(FileReplacement, CopiesOnlyRegularFiles) {
  test::TempFolder folder;
  const QString source = folder.Write(u"stub"_s, "player");
  QString error;
  ASSERT_TRUE(CopyFileContents(source, folder.Path(u"copy"_s), &error));
  EXPECT_EQ(test::ReadWholeFile(folder.Path(u"copy"_s)), "player");
  const QString fifo = folder.Path(u"fifo"_s);
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_FALSE(CopyFileContents(fifo, folder.Path(u"copy"_s), &error));
  EXPECT_EQ(error, fifo + u": cannot read"_s);
  EXPECT_EQ(test::ReadWholeFile(folder.Path(u"copy"_s)), "player");
}

TEST(FileReplacement, ASmallFullDiskLeavesTheOldFileWhole) {
  test::SmallDisk disk;
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  const QString path = disk.Path(u"project.aps"_s);
  ASSERT_TRUE(ReplaceFileContents(path, "the old project"));
  disk.Fill();
  for (const qsizetype size : {qsizetype(10), qsizetype(1024 * 1024)}) {
    QString error;
    EXPECT_FALSE(ReplaceFileContents(path, QByteArray(size, 'n'), &error));
    EXPECT_EQ(error, path + u": cannot write: No space left on device"_s);
    EXPECT_EQ(test::ReadWholeFile(path), "the old project");
  }
}

}  // namespace
}  // namespace pivlo
