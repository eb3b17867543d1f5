#include "CliRunner.h"
#include "TestFiles.h"
#include "media/AudioFixtures.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::RunCli;

TEST(CliMp3, PrintsEveryPropertyInOrder) {
  test::TempFolder folder;
  const QString path = folder.Write(QStringLiteral("song.mp3"),
                                    test::Id3v2Tag(4086) + test::CbrFrames(250) + test::Id3v1Tag());
  const auto result = RunCli({QStringLiteral("mp3"), path});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, QByteArray());
  EXPECT_EQ(result.out,
            "ok=true\nFirstFrame=4096\nDuration=6000\nChannels=2\nSampleRate=48000\nBitRate=128000\n"
            "FileSize=100224\nMpegBytes=96000\nFrames=250\nLayer=3\nMpegVersion=1\nCopyrightBit=false\n"
            "OriginalBit=false\nPrivateBit=false\nProtected=false\nEmphasis=0\nIsVBR=false\n");

  const auto xing = RunCli({QStringLiteral("mp3"), folder.Write(QStringLiteral("vbr.mp3"),
                                                               test::XingFrame("Xing", 3, 1000, 300000) +
                                                                   test::VbrFrames(3))});
  EXPECT_TRUE(xing.out.contains("\nDuration=24000\n"));
  EXPECT_TRUE(xing.out.contains("\nBitRate=100000\n"));
  EXPECT_TRUE(xing.out.endsWith("\nIsVBR=true\n"));
}

TEST(CliMp3, AFileWithoutFramesGivesOkFalseAndZeros) {
  test::TempFolder folder;
  const auto result = RunCli({QStringLiteral("mp3"), folder.Write(QStringLiteral("a.mp3"), QByteArray(3000, 'a'))});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_TRUE(result.out.startsWith("ok=false\nFirstFrame=0\nDuration=0\n"));
  EXPECT_EQ(result.out.count('\n'), 17);
}

TEST(CliDuration, MeasuresEachSongAsTheMusicListDoes) {
  test::TempFolder folder;
  const QString mp3 = folder.Write(QStringLiteral("song.mp3"), test::CbrFrames(250));
  const QString wav = folder.Write(QStringLiteral("a\tb.wav"), test::WavFile(2, 44100, 16, 44100 * 3 / 2));
  const QString text = folder.Write(QStringLiteral("notes.txt"), QByteArray("no song"));
  const QString missing = folder.Path(QStringLiteral("missing.wma"));

  const auto measured = RunCli({QStringLiteral("duration"), mp3, wav});
  EXPECT_EQ(measured.exit_code, 0);
  EXPECT_EQ(QString::fromUtf8(measured.out),
            QStringLiteral("6\t") + mp3 + QStringLiteral("\n1.5\t") + folder.Path(QStringLiteral("a\\tb.wav")) + u'\n');

  const auto refused = RunCli({QStringLiteral("duration"), text, mp3, missing});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(QString::fromUtf8(refused.out),
            QStringLiteral("-1\t") + text + QStringLiteral("\n6\t") + mp3 + QStringLiteral("\n-1\t") + missing + u'\n');
}

TEST(CliAudio, WrongArgumentsPrintUsage) {
  for (const QStringList& args : {QStringList{QStringLiteral("mp3")},
                                  QStringList{QStringLiteral("mp3"), QStringLiteral("a"), QStringLiteral("b")},
                                  QStringList{QStringLiteral("duration")}}) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.exit_code, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.startsWith("usage: pivlo-cli"));
  }
}

}  // namespace
}  // namespace pivlo
