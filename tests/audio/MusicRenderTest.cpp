#include "TestFiles.h"
#include "ToneFixtures.h"
#include "audio/AudioFormat.h"
#include "audio/FfmpegSongDecoder.h"
#include "audio/MusicRender.h"
#include "media/SongDuration.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

struct TwoTones {
  test::TempFolder folder;
  MusicSettings music;
  TwoTones() {
    music.songs = {folder.Write(u"a.wav"_s, test::ToneWav(1, 700)), folder.Write(u"b.wav"_s, test::ToneWav(2, 900))};
  }
};

TEST(MusicWav, HoldsExactlyTheStreamsSamplesBehindAHeaderOtherReadersTake) {
  TwoTones tones;
  const qint64 frames = 3 * kAudioRate + 17;  // more than one of the writer's chunks
  MusicStream written(tones.music, 1, {});
  const QString path = tones.folder.Path(u"out.wav"_s);
  QString error;
  ASSERT_TRUE(WriteMusicWav(path, written, frames, &error)) << error.toStdString();

  MusicStream same(tones.music, 1, {});
  const QByteArray samples = RenderMusic(same, frames);
  EXPECT_EQ(test::ReadWholeFile(path), WavHeader(frames) + samples);
  EXPECT_DOUBLE_EQ(WavDuration(path), double(frames) / kAudioRate);
  // FFmpeg reads the file back to the same samples.
  const std::unique_ptr<SongDecoder> decoder = OpenFfmpegSong(path, &error);
  ASSERT_TRUE(decoder) << error.toStdString();
  QByteArray decoded(samples.size() + kAudioFrameBytes, '\0');
  EXPECT_EQ(decoder->Read(reinterpret_cast<qint16*>(decoded.data()), frames + 1), frames);
  EXPECT_EQ(decoded.first(samples.size()), samples);
}

TEST(MusicWav, AFailedWriteSaysWhyAndLeavesTheOldFile) {
  TwoTones tones;
  MusicStream stream(tones.music, 1, {});
  QString error;
  EXPECT_FALSE(WriteMusicWav(tones.folder.Path(u"no/such/folder/out.wav"_s), stream, 100, &error));
  EXPECT_FALSE(error.isEmpty());
  const QString old = tones.folder.Write(u"old.wav"_s, "old");
  error.clear();
  EXPECT_FALSE(WriteMusicWav(old, stream, kLongestWavFrames + 1, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(test::ReadWholeFile(old), "old");
}

}  // namespace
}  // namespace pivlo
