#include "CliRunner.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::ReadWholeFile;
using test::RunCli;
using test::TempFolder;

QStringList Args(std::initializer_list<QString> words) { return QStringList(words); }

TEST(CliCrc, PrintsTheChecksumText) {
  TempFolder folder;
  const auto result = RunCli(Args({QStringLiteral("crc"), folder.Write(QStringLiteral("d"), "123456789")}));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, QByteArray("CBF43926\n"));
}

TEST(CliCrc, AnEmptyChecksumIsAnEmptyLineAndExitOne) {
  TempFolder folder;
  for (const QString& path : {folder.Path(QStringLiteral("missing")), folder.Write(QStringLiteral("e"), "")}) {
    const auto result = RunCli(Args({QStringLiteral("crc"), path}));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, QByteArray("\n"));
  }
}

TEST(CliPack, CreateListAndExtractImages) {
  TempFolder folder;
  const QString a = folder.Write(QStringLiteral("rainbow.jpg"), "RGB");
  const QString b = folder.Write(QStringLiteral("1.png"), "face one");
  const QString out = folder.Path(QStringLiteral("gmi.src"));
  const auto created = RunCli(Args({QStringLiteral("pack"), QStringLiteral("create"), out, QStringLiteral("--kind"),
                                    QStringLiteral("images"), a, b}));
  ASSERT_EQ(created.exit_code, 0) << created.err.constData();

  const auto listed = RunCli(Args({QStringLiteral("pack"), QStringLiteral("list"), out}));
  EXPECT_EQ(listed.exit_code, 0);
  EXPECT_EQ(listed.out, QByteArray("1\trainbow.jpg\t3\t0\n2\t1.png\t8\t3\n"));

  const QString extracted = folder.Path(QStringLiteral("out.png"));
  const auto result =
      RunCli(Args({QStringLiteral("pack"), QStringLiteral("extract"), out, QStringLiteral("1.PNG"), extracted}));
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(ReadWholeFile(extracted), QByteArray("face one"));
}

TEST(CliPack, FramesTakeTheirDisplayNamesAndPivloPackWritesTheSameBytes) {
  TempFolder folder;
  const QString a = folder.Write(QStringLiteral("gold.png"), "gold");
  const QString b = folder.Write(QStringLiteral("wood.png"), "wood");
  const QStringList create = {QStringLiteral("--kind"), QStringLiteral("frames"),    a, b,
                              QStringLiteral("--name"), QStringLiteral("金色\t典雅"), QStringLiteral("--name"),
                              QStringLiteral("胡桃木纹"), QStringLiteral("--copyright"), QStringLiteral("原创")};
  const QString by_cli = folder.Path(QStringLiteral("1.frame"));
  const QString by_pack = folder.Path(QStringLiteral("2.frame"));
  ASSERT_EQ(RunCli(QStringList{QStringLiteral("pack"), QStringLiteral("create"), by_cli} + create).exit_code, 0);
  ASSERT_EQ(test::RunProgram(QStringLiteral(PIVLO_PACK_PATH), QStringList{by_pack} + create).exit_code, 0);
  EXPECT_EQ(ReadWholeFile(by_cli), ReadWholeFile(by_pack));

  const auto listed = RunCli(Args({QStringLiteral("pack"), QStringLiteral("list"), by_cli}));
  EXPECT_EQ(QString::fromUtf8(listed.out), QStringLiteral("1\t金色\\t典雅\t4\t0\n2\t胡桃木纹\t4\t4\n"));
  const QString extracted = folder.Path(QStringLiteral("wood-out.png"));
  EXPECT_EQ(RunCli(Args({QStringLiteral("pack"), QStringLiteral("extract"), by_cli, QStringLiteral("胡桃木纹"),
                         extracted}))
                .exit_code,
            0);
  EXPECT_EQ(ReadWholeFile(extracted), QByteArray("wood"));
}

TEST(CliPack, FailuresGiveOneLineAndExitOne) {
  TempFolder folder;
  const QString junk = folder.Write(QStringLiteral("junk"), QByteArray(100, 'j'));
  const QString png = folder.Write(QStringLiteral("a.png"), "a");
  const QString package = folder.Path(QStringLiteral("gmi.src"));
  ASSERT_EQ(RunCli(Args({QStringLiteral("pack"), QStringLiteral("create"), package, QStringLiteral("--kind"),
                         QStringLiteral("images"), png}))
                .exit_code,
            0);
  const QList<QStringList> failing = {
      {QStringLiteral("pack"), QStringLiteral("list"), junk},
      {QStringLiteral("pack"), QStringLiteral("list"), folder.Path(QStringLiteral("missing"))},
      {QStringLiteral("pack"), QStringLiteral("extract"), junk, QStringLiteral("a.png"), folder.Path(QStringLiteral("o"))},
      {QStringLiteral("pack"), QStringLiteral("extract"), package, QStringLiteral("b.png"), folder.Path(QStringLiteral("o"))},
      {QStringLiteral("pack"), QStringLiteral("create"), folder.Path(QStringLiteral("x")), QStringLiteral("--kind"),
       QStringLiteral("images"), folder.Path(QStringLiteral("missing.png"))},
  };
  for (const QStringList& args : failing) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.exit_code, 1) << args.join(u' ').toStdString();
    EXPECT_EQ(result.err.count('\n'), 1) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.startsWith("pivlo-cli: ")) << result.err.constData();
  }
  EXPECT_FALSE(QFile::exists(folder.Path(QStringLiteral("o"))));
  EXPECT_FALSE(QFile::exists(folder.Path(QStringLiteral("x"))));
}

TEST(CliPack, WrongArgumentsPrintUsageAndExitTwo) {
  const QString k = QStringLiteral("--kind");
  const QString n = QStringLiteral("--name");
  const QList<QStringList> wrong = {
      {QStringLiteral("crc")},
      {QStringLiteral("crc"), QStringLiteral("a"), QStringLiteral("b")},
      {QStringLiteral("pack"), QStringLiteral("list")},
      {QStringLiteral("pack"), QStringLiteral("extract"), QStringLiteral("p"), QStringLiteral("n")},
      {QStringLiteral("pack"), QStringLiteral("create")},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), QStringLiteral("f")},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), k, QStringLiteral("images")},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), k, QStringLiteral("sounds"), QStringLiteral("f")},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), k, QStringLiteral("images"), QStringLiteral("f"), n, QStringLiteral("x")},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), k, QStringLiteral("frames"), QStringLiteral("f"), QStringLiteral("g"), n, QStringLiteral("x")},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), k, QStringLiteral("frames"), QStringLiteral("f"), n},
      {QStringLiteral("pack"), QStringLiteral("create"), QStringLiteral("o"), k, QStringLiteral("images"), QStringLiteral("f"), QStringLiteral("--size"), QStringLiteral("1")},
  };
  for (const QStringList& args : wrong) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.exit_code, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.startsWith("usage: pivlo-cli")) << args.join(u' ').toStdString();
  }
  const auto pack = test::RunProgram(QStringLiteral(PIVLO_PACK_PATH), {});
  EXPECT_EQ(pack.exit_code, 2);
  EXPECT_TRUE(pack.err.startsWith("usage: pivlo-pack"));
}

}  // namespace
}  // namespace pivlo
