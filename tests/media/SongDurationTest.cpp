#include "media/SongDuration.h"

#include "TestFiles.h"
#include "media/AudioFixtures.h"
#include "media/MP3Info.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::CbrFrames;
using test::kFrameBytes;
using test::kFrameSeconds;
using test::VbrFrames;
using test::WavFile;
using test::XingFrame;

double WavDurationOf(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return WavDuration(buffer);
}

TEST(WavDuration, ReadsTheHeaderWhenDataFollowsFmt) {
  struct Case {
    const char* name;
    QByteArray file;
    double seconds;
  };
  const QByteArray stereo = WavFile(2, 44100, 16, 3 * 44100);
  QByteArray lower_case = stereo;
  lower_case.replace(0, 4, "riff").replace(12, 4, "FMT ").replace(36, 4, "DATA");
  QByteArray wave_lower = stereo;
  wave_lower.replace(8, 4, "wave");
  QByteArray fmt_18 = stereo;  // a fmt chunk with its cbSize field
  fmt_18[16] = 18;
  fmt_18.insert(36, QByteArray(2, '\0'));
  QByteArray no_channels = stereo;
  no_channels[22] = 0;
  QByteArray fmt_beyond = stereo;
  fmt_beyond.replace(16, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
  const Case cases[] = {
      {"16-bit stereo", stereo, 3.0},
      {"8-bit mono", WavFile(1, 8000, 8, 12000), 1.5},
      {"24-bit stereo", WavFile(2, 48000, 24, 24000), 0.5},
      {"identifiers in other case", lower_case, 3.0},
      {"fmt chunk of 18 bytes", fmt_18, 3.0},
      {"recording cut short: only the data present", stereo.left(stereo.size() - 44100 * 4), 2.0},
      {"LIST chunk before the data", WavFile(2, 44100, 16, 3 * 44100, true), 0},
      {"WAVE in lower case", wave_lower, 0},
      {"no channels", no_channels, 0},
      {"fmt size beyond the file", fmt_beyond, 0},
      {"header cut short", stereo.left(40), 0},
      {"not RIFF", QByteArray(100, 'x'), 0},
      {"empty", QByteArray(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(WavDurationOf(c.file), c.seconds);
  }
  test::TempFolder folder;
  EXPECT_DOUBLE_EQ(WavDuration(folder.Write(QStringLiteral("a.wav"), stereo)), 3.0);
  EXPECT_EQ(WavDuration(folder.Path(QStringLiteral("missing.wav"))), 0);
}

TEST(MeasureSong, WavAndTmpTakeTheKnownDurationElseTheirHeader) {
  test::TempFolder folder;
  const QString wav = folder.Write(QStringLiteral("song.wav"), WavFile(1, 8000, 16, 10000));
  const QString tmp = folder.Write(QStringLiteral("song.tmp"), WavFile(1, 8000, 16, 10000));
  const QString listed = folder.Write(QStringLiteral("listed.WAV"), WavFile(1, 8000, 16, 10000, true));
  EXPECT_EQ(MeasureSong(wav, 0), 1.25f);
  EXPECT_EQ(MeasureSong(tmp, 0), 1.25f);
  EXPECT_EQ(MeasureSong(wav, 7.1234f), 7.123f);
  // Its header measures 0: a duration measured when it was added stands, 0 stays 0.
  EXPECT_EQ(MeasureSong(listed, 9.5f), 9.5f);
  EXPECT_EQ(MeasureSong(listed, 0), 0.0f);
  EXPECT_EQ(MeasureSong(folder.Path(QStringLiteral("missing.wav")), 9.5f), 0.0f);
}

// The frame analysis (b) may run over the framework's figure (ds) by up to 5 seconds.
TEST(MeasureSong, Mp3KeepsTheReportedDurationWithinFiveSecondsBelowItsOwnAnalysis) {
  struct Case {
    quint32 frames;  // of 24 ms each
    float reported;
    float expected;
  };
  const Case cases[] = {
      {7550, 180.0f, 180.0f},       // b = 181.2
      {7917, 180.0f, 190.008f},     // b = 190.008
      {7708, 180.0f, 180.0f},       // b = 184.992
      {7709, 180.016f, 180.016f},   // b = 185.016, exactly 5 over
      {7709, 180.0f, 185.016f},     // b = 185.016, 5.016 over
      {7000, 180.0f, 168.0f},       // b below ds
      {7550, 180.0004f, 180.0f},    // the result is rounded to whole milliseconds
  };
  test::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frames);
    const QString path = folder.Write(QStringLiteral("song.mp3"), XingFrame("Xing", 1, c.frames, 0) + VbrFrames(4));
    EXPECT_EQ(MeasureSong(path, c.reported), c.expected);
  }
  // No frames to analyse: the known duration stands.
  const QString text = folder.Write(QStringLiteral("text.mp3"), QByteArray(1000, 't'));
  EXPECT_EQ(MeasureSong(text, 12.5f), 12.5f);
  EXPECT_EQ(MeasureSong(folder.Path(QStringLiteral("missing.mp3")), 12.5f), 0.0f);
}

// Songs with a duration known by construction: the framework, the final measure and (for
// MP3) the frame analysis all agree with it.
TEST(MeasureSongQuick, AgreesWithDurationsKnownByConstruction) {
  test::TempFolder folder;
  struct Case {
    QString name;
    QByteArray file;
    double seconds;
    double from_header = -1;  // what MeasureSong gives without a known duration, when not `seconds`
    double framework_over = 0;  // what libavformat counts beyond the audio
  };
  const QByteArray vbr = VbrFrames(300);
  const QByteArray midi = test::MidiFile(
      0, 480, {test::MidiTrack(test::MidiTempo(0, 250000) + test::MidiNoteOn(4800, 60) + test::MidiEndOfTrack(0))});
  const Case cases[] = {
      {QStringLiteral("cbr.mp3"), CbrFrames(250), 250 * kFrameSeconds},
      // libavformat counts the ID3v1 tag as 8 ms of audio; the frame analysis mends it.
      {QStringLiteral("tagged.mp3"), test::Id3v2Tag(4086) + CbrFrames(250) + test::Id3v1Tag(), 250 * kFrameSeconds,
       -1, 0.008},
      {QStringLiteral("cover-art.mp3"), test::Id3v2Tag(600000) + CbrFrames(250), 250 * kFrameSeconds},
      {QStringLiteral("xing.mp3"), XingFrame("Xing", 3, 300, kFrameBytes + vbr.size()) + vbr, 300 * kFrameSeconds},
      {QStringLiteral("vbri.mp3"), test::VbriFrame(300, kFrameBytes + vbr.size(), 10) + vbr, 300 * kFrameSeconds},
      {QStringLiteral("pcm.wav"), WavFile(2, 44100, 16, 44100 * 3 / 2), 1.5},
      {QStringLiteral("listed.wav"), WavFile(1, 22050, 16, 22050 * 2, true), 2.0, 0.0},
      {QStringLiteral("tune.mid"), midi, 2.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    const QString path = folder.Write(c.name, c.file);
    const float quick = MeasureSongQuick(path);
    EXPECT_NEAR(quick, c.seconds + c.framework_over, 0.0005);
    EXPECT_NEAR(MeasureSong(path, quick), c.seconds, 0.0005);
    EXPECT_NEAR(MeasureSong(path, 0), c.from_header < 0 ? c.seconds : c.from_header, 0.0005);
    if (c.name.endsWith(u".mp3")) {
      MP3Info info;
      ASSERT_TRUE(info.ReadMP3Info(path));
      EXPECT_NEAR(info.Duration(), c.seconds * 1000, 0.5);
    }
  }
}

TEST(MeasureSongQuick, AgreesForWma) {
  test::TempFolder folder;
  const QString path = folder.Path(QStringLiteral("song.wma"));
  const double seconds = test::WriteSilentWma(path, 2.0);
  ASSERT_GT(seconds, 0) << "this FFmpeg cannot write WMA";
  const float quick = MeasureSongQuick(path);
  // The container counts whole encoder frames of 2048 samples.
  EXPECT_NEAR(quick, seconds, 2048.0 / 44100);
  EXPECT_EQ(MeasureSong(path, quick), quick);
  EXPECT_NEAR(MeasureSong(path, 0), seconds, 2048.0 / 44100);
}

TEST(MeasureSongQuick, RefusesSongsOf300MillisecondsOrLessAndWhatIsNoSong) {
  test::TempFolder folder;
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("short.wav"), WavFile(1, 8000, 16, 2400))), -1.0f);
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("longer.wav"), WavFile(1, 8000, 16, 2408))), 0.301f);
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("short.mp3"), CbrFrames(12))), -1.0f);
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("text.mp3"), QByteArray(5000, 't'))), -1.0f);
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("bad.mid"), QByteArray("MThd", 4))), -1.0f);
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("empty.wma"), QByteArray())), -1.0f);
  EXPECT_EQ(MeasureSongQuick(folder.Path(QStringLiteral("missing.mp3"))), -1.0f);
  EXPECT_EQ(MeasureSongQuick(folder.Path(QString())), -1.0f);
  // A colon in the name is part of the path, not a protocol.
  EXPECT_EQ(MeasureSongQuick(folder.Write(QStringLiteral("pipe:0.wav"), WavFile(1, 8000, 16, 8000))), 1.0f);
}

}  // namespace
}  // namespace pivlo
