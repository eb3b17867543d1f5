#include "core/XScreenSaverPrograms.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kName = u"海边 Holiday"_s;
const QString kCommand = u"/home/u/.local/share/pivlo/screensavers/Holiday.scr --root"_s;
const QString kEntry = u"\t\t\"海边 Holiday\"  /home/u/.local/share/pivlo/screensavers/Holiday.scr --root\t\\n"_s;

QString File(const QStringList& lines) { return lines.join(u'\n') + u'\n'; }

// A settings file as XScreenSaver writes it: one entry a line, each ending in "\n" and a
// backslash, a disabled one, one with a visual.
const QStringList kWritten = {
    u"# XScreenSaver Preferences File"_s,
    u"mode:\t\trandom"_s,
    u"programs:\t\t\t\t\t\t\t      \\"_s,
    u"\t\t\t\tmaze -root\t\t\t\t    \\n\\"_s,
    u"  GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\"_s,
    u"- \t\t\t\txmatrix -root\t\t\t\t    \\n\\n"_s,
    u""_s,
    u"pointerPollTime:    0:00:05"_s,
};

TEST(XScreenSaverPrograms, AddsTheEntryAndKeepsEveryOtherLine) {
  const struct {
    const char* what;
    QString file;
    QString defaults;
    QString expected;
  } cases[] = {
      {"an XScreenSaver file: a new last entry", File(kWritten), QString(),
       File({kWritten[0], kWritten[1], kWritten[2], kWritten[3], kWritten[4], kWritten[5] + u'\\', kEntry, kWritten[6],
             kWritten[7]})},
      {"no file: the system's list, then ours", QString(),
       File({u"*programs:\t\\"_s, u"\tmaze -root\t\\n\\"_s, u"\t\"Our show\" "_s + kCommand + u" \\n\\"_s,
             u"\tqix -root\\n"_s}),
       File({u"programs:\t\t\\"_s, u"\t\tmaze -root\t\\n\\"_s, u"\t\tqix -root\t\\n\\"_s, kEntry})},
      {"a file without a list", u"timeout: 0:10:00"_s, QString(),
       File({u"timeout: 0:10:00"_s, u"programs:\t\t\\"_s, kEntry})},
      {"a list on one line", File({u"programs: maze -root"_s}), QString(),
       File({u"programs: maze -root\\n\\"_s, kEntry})},
      {"an empty list", File({u"programs:"_s, u"lock: False"_s}), QString(),
       File({u"programs:\t\t\\"_s, kEntry, u"lock: False"_s})},
  };
  for (const auto& c : cases) {
    QString error;
    const std::optional<ProgramsEdit> edit = AddXScreenSaverProgram(c.file, kName, kCommand, c.defaults, &error);
    ASSERT_TRUE(edit.has_value()) << c.what << ": " << error.toStdString();
    EXPECT_TRUE(edit->changed) << c.what;
    EXPECT_EQ(edit->text, c.expected) << c.what << "\n" << edit->text.toStdString();
    // Adding again changes nothing: never a second copy.
    const std::optional<ProgramsEdit> again = AddXScreenSaverProgram(edit->text, kName, kCommand, c.defaults, &error);
    ASSERT_TRUE(again.has_value()) << c.what;
    EXPECT_FALSE(again->changed) << c.what;
    EXPECT_EQ(again->text, edit->text) << c.what;
  }
}

TEST(XScreenSaverPrograms, ADisabledEntryOfTheSameProgramIsEnabledAgain) {
  const QString file = File({u"programs:\t\\"_s, u"\tmaze -root\t\\n\\"_s,
                             u"-\t\"Old name\"  /home/u/.local/share/pivlo/screensavers/Holiday.scr --root\t\\n"_s});
  const std::optional<ProgramsEdit> edit = AddXScreenSaverProgram(file, kName, kCommand, QString(), nullptr);
  ASSERT_TRUE(edit.has_value());
  EXPECT_EQ(edit->text, File({u"programs:\t\\"_s, u"\tmaze -root\t\\n\\"_s,
                              u"\t\"Old name\"  /home/u/.local/share/pivlo/screensavers/Holiday.scr --root\t\\n"_s}));
}

TEST(XScreenSaverPrograms, RemovingTakesOutOnlyThatProgramsEntries) {
  const std::optional<ProgramsEdit> added = AddXScreenSaverProgram(File(kWritten), kName, kCommand, QString(), nullptr);
  ASSERT_TRUE(added.has_value());
  const std::optional<ProgramsEdit> removed = RemoveXScreenSaverProgram(added->text, kCommand, nullptr);
  ASSERT_TRUE(removed.has_value());
  EXPECT_TRUE(removed->changed);
  EXPECT_EQ(removed->text, File(kWritten)) << removed->text.toStdString();

  const std::optional<ProgramsEdit> absent = RemoveXScreenSaverProgram(File(kWritten), kCommand, nullptr);
  ASSERT_TRUE(absent.has_value());
  EXPECT_FALSE(absent->changed);

  // An entry in the middle of a line, and one alone on the last line of the list.
  const QString shared = File({u"programs: maze -root \\n /s/Holiday.scr --root \\n qix -root"_s});
  EXPECT_EQ(RemoveXScreenSaverProgram(shared, u"/s/Holiday.scr"_s, nullptr)->text,
            File({u"programs: maze -root \\n qix -root"_s}));
  const QString last = File({u"programs:\t\\"_s, u"\tmaze -root\\n\\"_s, u"\t/s/Holiday.scr --root\\n"_s, u"x: 1"_s});
  EXPECT_EQ(RemoveXScreenSaverProgram(last, u"/s/Holiday.scr"_s, nullptr)->text,
            File({u"programs:\t\\"_s, u"\tmaze -root\\n"_s, u"x: 1"_s}));
}

TEST(XScreenSaverPrograms, ANameCannotBreakTheEntry) {
  EXPECT_EQ(XScreenSaverEntry(u"假\"日\\n\nshow"_s, u"/s/x.scr --root"_s), u"\"假日nshow\"  /s/x.scr --root"_s);
}

TEST(XScreenSaverPrograms, AFileThatIsNoSuchListIsRefusedWithItsReason) {
  const QString endless = u"programs:\t\\\n\tmaze -root\\n\\"_s;
  const QString twice = File({u"programs: maze -root"_s, u"programs: qix -root"_s});
  for (const QString& file : {endless, twice}) {
    QString error;
    EXPECT_FALSE(AddXScreenSaverProgram(file, kName, kCommand, QString(), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(RemoveXScreenSaverProgram(file, u"/x"_s, &error).has_value());
  }
  // An entry of ours over two lines cannot be edited in place.
  const QString split = File({u"programs:\t\\"_s, u"-\t/home/u/.local/share/pivlo/screensavers/Holiday.scr \\"_s,
                              u"\t--root\\n"_s});
  QString error;
  EXPECT_FALSE(AddXScreenSaverProgram(split, kName, kCommand, QString(), &error).has_value());
  EXPECT_TRUE(error.contains(u"Holiday.scr"_s));
}

}  // namespace
}  // namespace pivlo
