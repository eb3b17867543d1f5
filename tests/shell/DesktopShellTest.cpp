// Starting a program for the editor: the preview's player runs as a process of its own,
// and a program that cannot start says why.

#include "shell/DesktopShell.h"

#include "TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(DesktopShell, StartsAProgramWithItsArgumentsOrSaysWhyNot) {
  test::TempFolder folder;
  DesktopShell shell;
  const QString mark = folder.Path(u"ran"_s);
  QString error;
  ASSERT_TRUE(shell.StartProgram(u"/bin/sh"_s, {u"-c"_s, u"echo \"$1\" > \"$2\""_s, u"sh"_s, u"--fullscreen"_s, mark},
                                 &error))
      << error.toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(mark).size() > 0; }, 5000));
  EXPECT_EQ(test::ReadWholeFile(mark), "--fullscreen\n");

  const QString plain = folder.Write(u"not-a-program.scr"_s, "no program");
  EXPECT_FALSE(shell.StartProgram(plain, {u"--fullscreen"_s}, &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace pivlo
