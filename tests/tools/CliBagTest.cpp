#include "core/basPropertyBag.h"

#include "CliRunner.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::RunCli;

TEST(CliBagDump, PrintsEveryValueInStoredOrder) {
  test::TempFolder folder;
  PropertyBag bag;
  bag.Put(QStringLiteral("IsPrompt1"), QStringLiteral("True"));
  bag.Put(QStringLiteral("PictureFrameNum"), qint16(-3));
  bag.Put(QStringLiteral("NowI"), 2);
  bag.Put(QStringLiteral("TimeInterval"), 10.1f);
  bag.Put(QStringLiteral("Tricky\tKey"), QStringLiteral("a\\b\tc\rd\ne 屏保"));
  bag.Put(QStringLiteral("MuteSound"), false);
  bag.Put(QStringLiteral("EnableLyric"), true);
  QByteArray bytes;
  for (int i = 0; i < 70; ++i) bytes.append(char(i));
  bag.Put(QStringLiteral("Blob"), bytes);
  bag.Put(QStringLiteral("Empty"), QByteArray());
  bag.Append(QStringLiteral("Names(+cstr(i)+)"), QStringLiteral("x"));
  bag.Append(QStringLiteral("Names(+cstr(i)+)"), QStringLiteral("y"));
  const QString path = folder.Write(QStringLiteral("bag.aps"), bag.Contents());

  const auto result = RunCli({QStringLiteral("bag"), QStringLiteral("dump"), path});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, QByteArray());
  QByteArray hex64;
  for (int i = 0; i < 64; ++i) hex64 += QByteArray::number(i, 16).rightJustified(2, '0');
  EXPECT_EQ(QString::fromUtf8(result.out),
            QStringLiteral("IsPrompt1\ttext\tTrue\n"
                           "PictureFrameNum\tint16\t-3\n"
                           "NowI\tint32\t2\n"
                           "TimeInterval\tfloat32\t10.1\n"
                           "Tricky\\tKey\ttext\ta\\\\b\\tc\\rd\\ne 屏保\n"
                           "MuteSound\tbool\tfalse\n"
                           "EnableLyric\tbool\ttrue\n"
                           "Blob\tbytes\t70:") +
                QString::fromLatin1(hex64) +
                QStringLiteral("\n"
                               "Empty\tbytes\t0:\n"
                               "Names(+cstr(i)+)\ttext\tx\n"
                               "Names(+cstr(i)+)\ttext\ty\n"));
}

TEST(CliBagDump, AFileThatIsNotABagGivesOneLineAndExitOne) {
  test::TempFolder folder;
  for (const QString& path : {folder.Write(QStringLiteral("junk"), QByteArray(100, 'j')),
                              folder.Path(QStringLiteral("missing"))}) {
    const auto result = RunCli({QStringLiteral("bag"), QStringLiteral("dump"), path});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, QByteArray());
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_TRUE(result.err.contains(path.toUtf8()));
  }
}

TEST(Cli, WrongCommandsPrintUsageAndExitTwo) {
  const QList<QStringList> wrong = {
      {},
      {QStringLiteral("nonsense")},
      {QStringLiteral("bag")},
      {QStringLiteral("bag"), QStringLiteral("dump")},
      {QStringLiteral("bag"), QStringLiteral("dump"), QStringLiteral("a"), QStringLiteral("b")},
  };
  for (const QStringList& args : wrong) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.exit_code, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.startsWith("usage: pivlo-cli")) << args.join(u' ').toStdString();
    EXPECT_EQ(result.out, QByteArray());
  }
  const auto help = RunCli({QStringLiteral("--help")});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_TRUE(help.out.contains("bag dump FILE"));
}

}  // namespace
}  // namespace pivlo
