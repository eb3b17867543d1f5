#include "core/FolderFiles.h"
#include "core/SingleInstance.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::TempFolder;

TEST(SingleInstanceTest, SecondInstanceIsRefusedWhileTheFirstRuns) {
  TempFolder folder;
  const QString lock = folder.Path(QStringLiteral("sub/pivlo.lock"));
  auto first = std::make_unique<SingleInstance>(lock);
  ASSERT_TRUE(first->Acquire());
  EXPECT_TRUE(first->Acquire());  // asking again keeps it

  SingleInstance second(lock);
  EXPECT_FALSE(second.Acquire());

  first.reset();  // the first instance ends
  EXPECT_TRUE(second.Acquire());
}

TEST(FolderFilesTest, ClearingDeletesFilesButKeepsSubfolders) {
  TempFolder folder;
  const QString temp = folder.Path(QStringLiteral("Temp"));
  ASSERT_TRUE(QDir().mkpath(temp + QStringLiteral("/keep")));
  folder.Write(QStringLiteral("Temp/101.jpg"), "x");
  folder.Write(QStringLiteral("Temp/.hidden"), "x");
  folder.Write(QStringLiteral("Temp/keep/inner.txt"), "x");

  ClearFolderFiles(temp + u'/');

  EXPECT_EQ(QDir(temp).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_TRUE(QFile::exists(temp + QStringLiteral("/keep/inner.txt")));
}

TEST(FolderFilesTest, PreparingMakesAMissingFolderAndEmptiesAnExistingOne) {
  TempFolder folder;
  const QString temp = folder.Path(QStringLiteral("Temp/"));
  PrepareEmptyFolder(temp);
  EXPECT_TRUE(QDir(temp).exists());
  folder.Write(QStringLiteral("Temp/old.tmp"), "x");
  PrepareEmptyFolder(temp);
  EXPECT_TRUE(QDir(temp).isEmpty());
}

}  // namespace
}  // namespace pivlo
