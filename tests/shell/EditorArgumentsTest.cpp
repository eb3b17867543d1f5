#include "shell/EditorArguments.h"

#include <QDir>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(EditorArgumentsTest, TakesOneProjectFromTheWorkingFolder) {
  EXPECT_TRUE(ParseEditorArguments({}).project.isEmpty());
  EXPECT_EQ(ParseEditorArguments({u"海边.aps"_s}).project, QDir::currentPath() + u"/海边.aps"_s);
  EXPECT_EQ(ParseEditorArguments({u"/a/./b/../海边.aps"_s}).project, u"/a/海边.aps"_s);
  EXPECT_EQ(ParseEditorArguments({u"./-x.aps"_s}).project, QDir::currentPath() + u"/-x.aps"_s);
  EXPECT_TRUE(ParseEditorArguments({u"--help"_s}).help);
}

TEST(EditorArgumentsTest, RefusesWhatIsNoSingleProject) {
  for (const QStringList& arguments : {QStringList{u"a.aps"_s, u"b.aps"_s}, QStringList{u"-x"_s}}) {
    const EditorArguments parsed = ParseEditorArguments(arguments);
    EXPECT_FALSE(parsed.error.isEmpty()) << arguments.join(u' ').toStdString();
    EXPECT_TRUE(parsed.project.isEmpty());
  }
}

}  // namespace
}  // namespace pivlo
