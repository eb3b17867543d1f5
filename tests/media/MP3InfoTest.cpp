#include "media/MP3Info.h"

#include "TestFiles.h"
#include "media/AudioFixtures.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::CbrFrames;
using test::Id3v1Tag;
using test::Id3v2Tag;
using test::kFrameBytes;
using test::Mp3Frame;
using test::Mp3Header;
using test::VbrFrames;
using test::VbriFrame;
using test::XingFrame;

struct Analysis {
  bool ok = false;
  MP3Info info;
};

Analysis Analyse(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  Analysis result;
  result.ok = result.info.ReadMP3Info(buffer);
  return result;
}

void ExpectAllZero(const MP3Info& info) {
  EXPECT_EQ(info.FirstFrame(), 0);
  EXPECT_EQ(info.Duration(), 0);
  EXPECT_EQ(info.Channels(), 0);
  EXPECT_EQ(info.SampleRate(), 0);
  EXPECT_EQ(info.BitRate(), 0);
  EXPECT_EQ(info.FileSize(), 0);
  EXPECT_EQ(info.MpegBytes(), 0);
  EXPECT_EQ(info.Frames(), 0);
  EXPECT_EQ(info.Layer(), 0);
  EXPECT_EQ(info.MpegVersion(), 0);
  EXPECT_FALSE(info.CopyrightBit() || info.OriginalBit() || info.PrivateBit() || info.Protected() || info.IsVBR());
  EXPECT_EQ(info.Emphasis(), 0);
}

TEST(MP3Info, ConstantRateFileGivesEveryProperty) {
  const Analysis a = Analyse(CbrFrames(250));
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.info.FirstFrame(), 0);
  EXPECT_EQ(a.info.FileSize(), 250 * kFrameBytes);
  EXPECT_EQ(a.info.MpegBytes(), 250 * kFrameBytes);
  EXPECT_EQ(a.info.Frames(), 250);
  EXPECT_DOUBLE_EQ(a.info.Duration(), 6000.0);
  EXPECT_EQ(a.info.Channels(), 2);
  EXPECT_EQ(a.info.SampleRate(), 48000);
  EXPECT_EQ(a.info.BitRate(), 128000);
  EXPECT_EQ(a.info.Layer(), 3);
  EXPECT_EQ(a.info.MpegVersion(), 1.0f);
  EXPECT_FALSE(a.info.IsVBR());
  EXPECT_FALSE(a.info.Protected());
  EXPECT_FALSE(a.info.CopyrightBit() || a.info.OriginalBit() || a.info.PrivateBit());
}

TEST(MP3Info, HeaderBitsAreReported) {
  Mp3Header header;
  header.channel_mode = 3;
  header.flag_bits = 8 | 4 | 2;  // copyright, original, emphasis 2
  header.protection_bit = false;
  header.private_bit = true;
  const Analysis a = Analyse(Mp3Frame(header, kFrameBytes).repeated(3));
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.info.Channels(), 1);
  EXPECT_TRUE(a.info.CopyrightBit());
  EXPECT_TRUE(a.info.OriginalBit());
  EXPECT_TRUE(a.info.PrivateBit());
  EXPECT_TRUE(a.info.Protected());
  EXPECT_EQ(a.info.Emphasis(), 2);
}

// The frame length decides where the second header must be: found at L, missed at L - 1.
TEST(MP3Info, FrameLengthsAndTablesOfEveryVersionAndLayer) {
  struct Case {
    const char* name;
    Mp3Header header;
    int length;
    float version;
    int layer;
    int sample_rate;
    int bit_rate;
  };
  const Case cases[] = {
      {"MPEG-1 III 128k 44.1k", {3, 1, 9, 0, false}, 417, 1.0f, 3, 44100, 128000},
      {"MPEG-1 III 128k 44.1k padded", {3, 1, 9, 0, true}, 418, 1.0f, 3, 44100, 128000},
      {"MPEG-1 I 32k 32k", {3, 3, 1, 2, false}, 48, 1.0f, 1, 32000, 32000},
      {"MPEG-1 I 448k 44.1k padded", {3, 3, 14, 0, true}, 488, 1.0f, 1, 44100, 448000},
      {"MPEG-1 II 384k 48k", {3, 2, 14, 1, false}, 1152, 1.0f, 2, 48000, 384000},
      {"MPEG-2 III 8k 22.05k", {2, 1, 1, 0, false}, 26, 2.0f, 3, 22050, 8000},
      {"MPEG-2 I 256k 16k padded", {2, 3, 14, 2, true}, 772, 2.0f, 1, 16000, 256000},
      {"MPEG-2 II 144k 24k", {2, 2, 13, 1, false}, 864, 2.0f, 2, 24000, 144000},
      {"MPEG-2.5 II 160k 8k", {0, 2, 14, 2, false}, 2880, 2.5f, 2, 8000, 160000},
      {"MPEG-2.5 III 64k 11.025k", {0, 1, 8, 0, false}, 417, 2.5f, 3, 11025, 64000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray header = c.header.Bytes();
    const Analysis at_length = Analyse(Mp3Frame(c.header, c.length) + header + QByteArray(c.length, '\0'));
    ASSERT_TRUE(at_length.ok);
    EXPECT_EQ(at_length.info.MpegVersion(), c.version);
    EXPECT_EQ(at_length.info.Layer(), c.layer);
    EXPECT_EQ(at_length.info.SampleRate(), c.sample_rate);
    EXPECT_EQ(at_length.info.BitRate(), c.bit_rate);
    EXPECT_FALSE(Analyse(Mp3Frame(c.header, c.length - 1) + header + QByteArray(c.length, '\0')).ok);
  }
}

TEST(MP3Info, InvalidHeadersAreNeverAFirstFrame) {
  struct Case {
    const char* name;
    QByteArray header;
    int length;
    bool valid;
  };
  const auto bytes = [](Mp3Header h) { return h.Bytes(); };
  const Case cases[] = {
      {"reserved version", bytes({1, 1, 9, 1}), 384, false},
      {"reserved layer", bytes({3, 0, 9, 1}), 384, false},
      {"free format", bytes({3, 1, 0, 1}), 384, false},
      {"bit rate index 15", bytes({3, 1, 15, 1}), 384, false},
      {"reserved sample rate", bytes({3, 1, 9, 3}), 384, false},
      {"incomplete sync", QByteArray("\xFF\xDB\x94\x00", 4), 384, false},
      {"Layer II 32k stereo", bytes({3, 2, 1, 1, false, 0}), 96, false},
      {"Layer II 32k mono", bytes({3, 2, 1, 1, false, 3}), 96, true},
      {"Layer II 80k joint stereo", bytes({3, 2, 5, 1, false, 1}), 240, false},
      {"Layer II 384k mono", bytes({3, 2, 14, 1, false, 3}), 1152, false},
      {"Layer II 384k stereo", bytes({3, 2, 14, 1, false, 0}), 1152, true},
      {"Layer II 224k dual channel", bytes({3, 2, 11, 1, false, 2}), 672, true},
      {"MPEG-2 Layer II 32k stereo", bytes({2, 2, 4, 1, false, 0}), 192, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray frame = c.header + QByteArray(c.length - 4, '\0');
    EXPECT_EQ(Analyse(frame.repeated(4)).ok, c.valid);
  }
}

TEST(MP3Info, SkipsId3v2TagsOfEveryKind) {
  struct Case {
    const char* name;
    QByteArray tag;
  };
  const Case cases[] = {
      {"4 KB sync-safe v2.3", Id3v2Tag(4086)},
      {"plain size (a byte above 0x7F)", Id3v2Tag(0x180, 3, false)},
      {"v2.4 with footer", Id3v2Tag(500, 4, true, true)},
      {"v2.3 footer flag, no footer", Id3v2Tag(500, 3, true, true)},
      {"empty", Id3v2Tag(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Analysis a = Analyse(c.tag + CbrFrames(10));
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.info.FirstFrame(), c.tag.size());
    EXPECT_EQ(a.info.MpegBytes(), 10 * kFrameBytes);
    EXPECT_EQ(a.info.Frames(), 10);
  }
}

// 10,240 bytes beyond the tag, in blocks of 2048: the search covers 14,336 bytes after it.
TEST(MP3Info, SearchGivesUpSevenBlocksAfterTheTag) {
  struct Case {
    const char* name;
    QByteArray tag;
  };
  const Case cases[] = {
      {"no tag", QByteArray()},
      {"v2.3 tag", Id3v2Tag(4086)},
      {"v2.4 tag with footer", Id3v2Tag(1000, 4, true, true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Analysis last_found = Analyse(c.tag + QByteArray(14334, '\0') + CbrFrames(3));
    ASSERT_TRUE(last_found.ok);
    EXPECT_EQ(last_found.info.FirstFrame(), c.tag.size() + 14334);
    EXPECT_FALSE(Analyse(c.tag + QByteArray(14336, '\0') + CbrFrames(3)).ok);
  }
}

TEST(MP3Info, AFalseSyncIsPassedOver) {
  const QByteArray junk = Mp3Header().Bytes() + QByteArray(100, 'x');
  const Analysis a = Analyse(junk + CbrFrames(5));
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.info.FirstFrame(), junk.size());
}

TEST(MP3Info, BogusTagsEndCleanly) {
  const QByteArray huge_plain = QByteArray("ID3\x03\x00\x00\xFF\xFF\xFF\xFF", 10);
  EXPECT_FALSE(Analyse(huge_plain + CbrFrames(5)).ok);
  EXPECT_FALSE(Analyse(QByteArray("xxID3\x04", 6)).ok);  // header cut short

  // A tag that ends inside the audio: the search resumes there and meets the next frame.
  const QByteArray short_tag = QByteArray("ID3\x03\x00\x00\x00\x00\x01\x00", 10);  // 128 bytes
  const Analysis a = Analyse(short_tag + CbrFrames(5));
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.info.FirstFrame(), 10 + kFrameBytes);
}

TEST(MP3Info, Id3v1TagIsNotAudio) {
  const Analysis a = Analyse(Id3v2Tag(100) + CbrFrames(10) + Id3v1Tag());
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.info.MpegBytes(), 10 * kFrameBytes);
  EXPECT_EQ(a.info.Frames(), 10);

  // Frames of 24 bytes after a tag ending in "TAG": those bytes lie before the audio.
  Mp3Header tiny{2, 1, 1, 1};  // MPEG-2 Layer III, 8 kbit/s, 24000 Hz
  QByteArray tag = Id3v2Tag(200);
  tag.replace(tag.size() - 80, 3, "TAG");
  const Analysis b = Analyse(tag + Mp3Frame(tiny, 24).repeated(2));
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(b.info.MpegBytes(), 48);
}

TEST(MP3Info, FramesRoundHalvesToEven) {
  EXPECT_EQ(Analyse(CbrFrames(2) + QByteArray(kFrameBytes / 2, '\0')).info.Frames(), 2);
  EXPECT_EQ(Analyse(CbrFrames(3) + QByteArray(kFrameBytes / 2, '\0')).info.Frames(), 4);
  EXPECT_EQ(Analyse(CbrFrames(2) + QByteArray(kFrameBytes / 2 + 1, '\0')).info.Frames(), 3);
}

TEST(MP3Info, XingHeaderGivesFramesBytesAndAverageBitRate) {
  const Analysis a = Analyse(XingFrame("Xing", 15, 1000, 300000) + VbrFrames(5));
  ASSERT_TRUE(a.ok);
  EXPECT_TRUE(a.info.IsVBR());
  EXPECT_EQ(a.info.Frames(), 1000);
  EXPECT_EQ(a.info.MpegBytes(), 300000);
  EXPECT_DOUBLE_EQ(a.info.Duration(), 24000.0);
  EXPECT_EQ(a.info.BitRate(), 100000);
  ASSERT_EQ(a.info.Xing().toc.size(), 100);
  EXPECT_EQ(a.info.Xing().toc[99], char(99));
  EXPECT_EQ(a.info.Xing().quality, 57u);

  // Without a byte count the file's own audio length stands; without a frame count the
  // frames are counted from it.
  const QByteArray frames_only = XingFrame("Xing", 1, 1000, 0) + VbrFrames(5);
  const Analysis b = Analyse(frames_only);
  EXPECT_EQ(b.info.MpegBytes(), frames_only.size());
  EXPECT_EQ(b.info.Frames(), 1000);
  EXPECT_EQ(b.info.BitRate(), qRound(frames_only.size() * 8 / 24.0));
  const Analysis c = Analyse(XingFrame("Xing", 0, 0, 0) + CbrFrames(9));
  EXPECT_TRUE(c.info.IsVBR());
  EXPECT_EQ(c.info.Frames(), 10);
  EXPECT_EQ(c.info.BitRate(), 128000);
}

TEST(MP3Info, XingSitsBehindTheSideInformation) {
  struct Case {
    const char* name;
    Mp3Header header;
    int length;
    int tag_offset;
    bool found;
    double frame_ms;
  };
  const Case cases[] = {
      {"MPEG-1 stereo", {}, 384, 36, true, 24.0},
      {"MPEG-1 mono", {3, 1, 9, 1, false, 3}, 384, 21, true, 24.0},
      {"MPEG-2 stereo", {2, 1, 8, 1}, 192, 21, true, 24.0},
      {"MPEG-2 mono", {2, 1, 8, 1, false, 3}, 192, 13, true, 24.0},
      {"MPEG-1 mono, tag where stereo puts it", {3, 1, 9, 1, false, 3}, 384, 36, false, 24.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray first = XingFrame("Xing", 1, 500, 0, c.header, c.length, c.tag_offset);
    const Analysis a = Analyse(first + Mp3Frame(c.header, c.length).repeated(3));
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.info.IsVBR(), c.found);
    EXPECT_EQ(a.info.Frames(), c.found ? 500 : 4);
    EXPECT_DOUBLE_EQ(a.info.Duration(), a.info.Frames() * c.frame_ms);
  }
}

TEST(MP3Info, InfoHeaderCountsButStaysConstantRate) {
  const Analysis a = Analyse(XingFrame("Info", 3, 500, 192000) + CbrFrames(3));
  ASSERT_TRUE(a.ok);
  EXPECT_FALSE(a.info.IsVBR());
  EXPECT_EQ(a.info.Frames(), 500);
  EXPECT_EQ(a.info.MpegBytes(), 192000);
  EXPECT_DOUBLE_EQ(a.info.Duration(), 12000.0);
  EXPECT_EQ(a.info.BitRate(), 128000);
}

TEST(MP3Info, VbriHeaderGivesFramesBytesAndItsTable) {
  const Analysis a = Analyse(VbriFrame(2000, 500000, 10, 2, 3) + VbrFrames(5));
  ASSERT_TRUE(a.ok);
  EXPECT_TRUE(a.info.IsVBR());
  EXPECT_EQ(a.info.Frames(), 2000);
  EXPECT_EQ(a.info.MpegBytes(), 500000);
  EXPECT_DOUBLE_EQ(a.info.Duration(), 48000.0);
  EXPECT_EQ(a.info.BitRate(), 83333);
  EXPECT_EQ(a.info.Vbri().version, 1);
  EXPECT_EQ(a.info.Vbri().table, (QList<qint64>{3, 6, 9, 12, 15, 18, 21, 24, 27, 30}));

  // Counts of 0 leave the file's own figures.
  const QByteArray zero_counts = VbriFrame(0, 0) + CbrFrames(4);
  const Analysis b = Analyse(zero_counts);
  EXPECT_TRUE(b.info.IsVBR());
  EXPECT_EQ(b.info.MpegBytes(), zero_counts.size());
  EXPECT_EQ(b.info.Frames(), 5);
}

// A fault after the first frame was found leaves the duration unknown and still succeeds.
TEST(MP3Info, FaultsInTheFirstFrameGiveDurationZero) {
  struct Case {
    const char* name;
    QByteArray file;
    int sample_rate;
  };
  const Mp3Header small{0, 1, 1, 2};  // MPEG-2.5 Layer III, 8 kbit/s, 8000 Hz: 72 bytes
  const Mp3Header mpeg2_36{2, 1, 1, 2};  // MPEG-2 Layer III, 8 kbit/s, 16000 Hz: 36 bytes
  const Case cases[] = {
      {"Xing fields beyond the frame", XingFrame("Xing", 15, 10, 10, small, 72, 21) + Mp3Frame(small, 72), 8000},
      {"huge VBRI table", VbriFrame(100, 1000, 65535, 4) + CbrFrames(2), 48000},
      {"VBRI entries of 5 bytes", VbriFrame(100, 1000, 2, 5) + CbrFrames(2), 48000},
      {"average bit rate beyond 32 bits", XingFrame("Xing", 3, 1, 0xFFFFFFFF) + CbrFrames(2), 48000},
      {"frame too short for the VBRI tag", Mp3Frame(mpeg2_36, 36).repeated(3), 16000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Analysis a = Analyse(c.file);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.info.Duration(), 0);
    EXPECT_FALSE(a.info.IsVBR());
    EXPECT_EQ(a.info.SampleRate(), c.sample_rate);
    EXPECT_EQ(a.info.FirstFrame(), 0);
  }
}

TEST(MP3Info, FailureLeavesEveryPropertyZero) {
  test::TempFolder folder;
  MP3Info info;
  ASSERT_TRUE(info.ReadMP3Info(folder.Write(QStringLiteral("song.mp3"), Id3v2Tag(4086) + CbrFrames(10))));
  EXPECT_EQ(info.FirstFrame(), 4096);
  EXPECT_FALSE(info.ReadMP3Info(folder.Path(QStringLiteral("missing.mp3"))));
  ExpectAllZero(info);
  EXPECT_FALSE(info.ReadMP3Info(folder.Write(QStringLiteral("text.mp3"), QByteArray(20000, 'a'))));
  ExpectAllZero(info);
  EXPECT_FALSE(info.ReadMP3Info(folder.Write(QStringLiteral("empty.mp3"), QByteArray())));
  ExpectAllZero(info);
}

}  // namespace
}  // namespace pivlo
