#include "TestFiles.h"
#include "ToneFixtures.h"
#include "audio/AudioFormat.h"
#include "audio/FfmpegSongDecoder.h"
#include "audio/MusicRender.h"
#include "audio/MusicStream.h"
#include "audio/SoundFont.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace pivlo {

void PrintTo(const SongPlay& play, std::ostream* out) {
  *out << "song " << play.number << " [" << play.start_frame << ", " << play.end_frame << ")";
}

namespace {

// Three songs of distinct tones and lengths that are no multiple of anything the stream
// uses inside.
constexpr qint64 kLengths[] = {1000, 1700, 2300};
constexpr qint64 kRound = 1000 + 1700 + 2300;

struct ToneSongs {
  test::TempFolder folder;
  QStringList paths;
  ToneSongs() {
    for (int song = 1; song <= 3; ++song) {
      paths << folder.Write(u"tone%1.wav"_s.arg(song), test::ToneWav(song, kLengths[song - 1]));
    }
  }
};

struct Heard {
  QStringList lines;
  MusicStream::Say Say() {
    return [this](const QString& line) { lines << line; };
  }
};

// What the stream must give for its plays: each song's own frames, end to end.
QByteArray FramesOfPlays(const QList<SongPlay>& plays, qint64 frames) {
  QByteArray expected;
  for (const SongPlay& play : plays) expected += test::ToneFrames(play.number, kLengths[play.number - 1]);
  return expected.left(frames * kAudioFrameBytes);
}

QList<qint32> Numbers(const QList<SongPlay>& plays) {
  QList<qint32> numbers;
  for (const SongPlay& play : plays) numbers << play.number;
  return numbers;
}

TEST(MusicStream, ListOrderJoinsTheSongsGaplesslyAndRecordsWhereEachStarted) {
  ToneSongs songs;
  Heard heard;
  MusicStream stream({songs.paths, MusicOrder::kListOrder, false}, 1, heard.Say());
  const qint64 frames = 2 * kRound + 500;
  const QByteArray out = RenderMusic(stream, frames);

  const QByteArray round = test::ToneFrames(1, 1000) + test::ToneFrames(2, 1700) + test::ToneFrames(3, 2300);
  EXPECT_EQ(out, round + round + test::ToneFrames(1, 500));
  const QList<SongPlay> plays = stream.Plays();
  ASSERT_EQ(plays.size(), 7);
  EXPECT_EQ(plays[0], (SongPlay{1, songs.paths[0], 0, 1000}));
  EXPECT_EQ(plays[4], (SongPlay{2, songs.paths[1], kRound + 1000, kRound + 2700}));
  EXPECT_EQ(plays[6], (SongPlay{1, songs.paths[0], 2 * kRound, -1}));
  EXPECT_EQ(stream.PlayAt(999)->number, 1);
  EXPECT_EQ(stream.PlayAt(1000)->number, 2);
  EXPECT_EQ(stream.FramesFilled(), frames);
  EXPECT_TRUE(heard.lines.isEmpty());
}

TEST(MusicStream, TheSamplesDoNotDependOnHowTheStreamIsCut) {
  ToneSongs songs;
  MusicStream whole({songs.paths, MusicOrder::kShuffled, false}, 5, {});
  MusicStream pieces({songs.paths, MusicOrder::kShuffled, false}, 5, {});
  const QByteArray expected = RenderMusic(whole, 3 * kRound);
  QByteArray out;
  for (const qint64 piece : {1, 7, 999, 1, 1024, 4801}) out += RenderMusic(pieces, piece);
  out += RenderMusic(pieces, 3 * kRound - out.size() / kAudioFrameBytes);
  EXPECT_EQ(out, expected);
  EXPECT_EQ(pieces.Plays(), whole.Plays());
}

TEST(MusicStream, ShuffledRoundsNeverRepeatASongAndPlayEachWhole) {
  ToneSongs songs;
  for (quint32 seed = 0; seed < 4; ++seed) {
    MusicStream stream({songs.paths, MusicOrder::kShuffled, false}, seed, {});
    const qint64 frames = 6 * kRound;
    const QByteArray out = RenderMusic(stream, frames);
    const QList<SongPlay> plays = stream.Plays();
    EXPECT_EQ(out, FramesOfPlays(plays, frames)) << "seed " << seed;
    const QList<qint32> numbers = Numbers(plays);
    ASSERT_GE(numbers.size(), 6);
    for (qsizetype i = 1; i < numbers.size(); ++i) EXPECT_NE(numbers[i], numbers[i - 1]) << "seed " << seed;
    for (qsizetype round = 0; round + 3 <= numbers.size(); round += 3) {
      QList<qint32> sorted = numbers.mid(round, 3);
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(sorted, (QList<qint32>{1, 2, 3})) << "seed " << seed;
    }
  }
}

TEST(MusicStream, OneSongPickedAtRandomRepeats) {
  ToneSongs songs;
  MusicStream stream({songs.paths, MusicOrder::kOneSong, false}, 9, {});
  const QByteArray out = RenderMusic(stream, 10000);
  const QList<SongPlay> plays = stream.Plays();
  ASSERT_GE(plays.size(), 3);
  EXPECT_EQ(Numbers(plays), QList<qint32>(plays.size(), plays[0].number));
  EXPECT_EQ(out, FramesOfPlays(plays, 10000));
}

TEST(MusicStream, MutedPlaysNoMusic) {
  ToneSongs songs;
  Heard heard;
  MusicStream stream({songs.paths, MusicOrder::kListOrder, true}, 1, heard.Say());
  EXPECT_TRUE(stream.Silent());
  EXPECT_EQ(RenderMusic(stream, 5000), QByteArray(5000 * kAudioFrameBytes, '\0'));
  EXPECT_TRUE(stream.Plays().isEmpty());
  EXPECT_TRUE(heard.lines.isEmpty());
}

TEST(MusicStream, SongsThatCannotPlayAreLeftOutWithOneLineEach) {
  ToneSongs songs;
  const QString missing = songs.folder.Path(u"missing.wav"_s);
  const QString garbage = songs.folder.Write(u"garbage.mp3"_s, QByteArray(5000, 'x'));
  const QString silent = songs.folder.Write(u"empty.wav"_s, test::ToneWav(9, 0));
  const QString pipe = songs.folder.Path(u"pipe.mp3"_s);
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);  // opening it would wait for a writer
  Heard heard;
  MusicStream stream({{missing, songs.paths[0], garbage, silent, pipe, songs.paths[1]}, MusicOrder::kListOrder, false},
                     1, heard.Say());
  const qint64 frames = 3 * 2700;
  const QByteArray out = RenderMusic(stream, frames);
  const QByteArray round = test::ToneFrames(1, 1000) + test::ToneFrames(2, 1700);
  EXPECT_EQ(out, round + round + round);
  EXPECT_EQ(Numbers(stream.Plays()), (QList<qint32>{2, 6, 2, 6, 2, 6}));
  ASSERT_EQ(heard.lines.size(), 4) << heard.lines.join(u'\n').toStdString();
  EXPECT_TRUE(heard.lines[0].startsWith(missing + u": "_s));
  EXPECT_TRUE(heard.lines[1].startsWith(garbage + u": "_s));
  EXPECT_EQ(heard.lines[2], silent + u": not a song the show can play (it holds no sound), left out"_s);
  EXPECT_TRUE(heard.lines[3].startsWith(pipe + u": "_s));
}

TEST(MusicStream, IsSilenceWhenNoSongCanPlay) {
  test::TempFolder folder;
  Heard heard;
  MusicStream stream({{folder.Path(u"a.mp3"_s), folder.Path(u"b.wav"_s)}, MusicOrder::kShuffled, false}, 1,
                     heard.Say());
  EXPECT_EQ(RenderMusic(stream, 3000), QByteArray(3000 * kAudioFrameBytes, '\0'));
  EXPECT_EQ(RenderMusic(stream, 3000), QByteArray(3000 * kAudioFrameBytes, '\0'));
  EXPECT_TRUE(stream.Silent());
  EXPECT_EQ(heard.lines.size(), 2);
  MusicStream empty({}, 1, {});
  EXPECT_EQ(RenderMusic(empty, 10), QByteArray(10 * kAudioFrameBytes, '\0'));
}

QList<qint16> Samples(const QByteArray& bytes) {
  QList<qint16> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.constData(), size_t(samples.size()) * 2);
  return samples;
}

// Every frame a song gives alone, decoded by FFmpeg.
QByteArray DecodeAlone(const QString& path) {
  QString error;
  const std::unique_ptr<SongDecoder> decoder = OpenFfmpegSong(path, &error);
  if (!decoder) return {};
  QByteArray out;
  qint16 chunk[2 * 4096];
  while (const qsizetype got = decoder->Read(chunk, 4096)) {
    out.append(reinterpret_cast<const char*>(chunk), got * kAudioFrameBytes);
  }
  return out;
}

TEST(MusicStream, OtherRatesAndMonoAreResampledIntoTheStreamAndJoinedExactly) {
  test::TempFolder folder;
  const QString mono = folder.Write(u"mono.wav"_s, test::PcmWav(22050, 1, 22050, [](qint64, int) { return 1000; }));
  const QString tone = folder.Write(u"tone.wav"_s, test::ToneWav(2, 1700));
  MusicStream stream({{mono, tone}, MusicOrder::kListOrder, false}, 1, {});
  const QByteArray out = RenderMusic(stream, 48000 + 1700 + 100);
  const QList<SongPlay> plays = stream.Plays();
  ASSERT_GE(plays.size(), 2);
  const qint64 resampled = plays[1].start_frame;
  EXPECT_NEAR(resampled, 48000, 2);
  // A constant stays constant and at its level on both sides, away from the ends.
  const QList<qint16> samples = Samples(out.first(resampled * kAudioFrameBytes));
  for (qsizetype i = 2000; i < samples.size() - 2000; ++i) ASSERT_NEAR(samples[i], 1000, 2) << "sample " << i;
  EXPECT_EQ(out.sliced(resampled * kAudioFrameBytes, 1700 * kAudioFrameBytes), test::ToneFrames(2, 1700));
}

TEST(MusicStream, AnMp3PlaysWholeAndTheNextSongFollowsItsLastSample) {
  test::TempFolder folder;
  const QString mp3 = folder.Path(u"sine.mp3"_s);
  if (!test::WriteSineMp3(mp3, 1.0, 44100)) GTEST_SKIP() << "this FFmpeg has no MP3 encoder";
  const QByteArray alone = DecodeAlone(mp3);
  const qint64 length = alone.size() / kAudioFrameBytes;
  EXPECT_NEAR(length, 48000, 1152 * 48000 / 44100 + 1) << "at most one frame of the encoder's padding";

  const QString tone = folder.Write(u"tone.wav"_s, test::ToneWav(3, 2300));
  MusicStream stream({{mp3, tone}, MusicOrder::kListOrder, false}, 1, {});
  const QByteArray out = RenderMusic(stream, length + 2300);
  EXPECT_EQ(out, alone + test::ToneFrames(3, 2300));
  double energy = 0;
  for (const qint16 sample : Samples(alone)) energy += double(sample) * sample;
  EXPECT_GT(std::sqrt(energy / double(length * 2)), 5000) << "the sine is heard";
}

TEST(MusicStream, MidiRendersTheNotesForTheSongsLength) {
  if (FindSoundFont().isEmpty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
  test::TempFolder folder;
  const QString midi = folder.Write(u"note.mid"_s, test::HeldNoteMidi(1.0));
  const QString tone = folder.Write(u"tone.wav"_s, test::ToneWav(1, 1000));
  Heard heard;
  MusicStream stream({{midi, midi, midi, tone}, MusicOrder::kListOrder, false}, 1, heard.Say());
  const QByteArray out = RenderMusic(stream, 3 * 48000 + 1000);
  ASSERT_TRUE(heard.lines.isEmpty()) << heard.lines.join(u'\n').toStdString();
  const QList<SongPlay> plays = stream.Plays();
  ASSERT_EQ(plays.size(), 4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(plays[i].start_frame, i * 48000) << "each song ends with the file's last event";
    const QList<qint16> samples = Samples(out.sliced(i * 48000 * kAudioFrameBytes, 48000 * kAudioFrameBytes));
    double energy = 0;
    for (const qint16 sample : samples) energy += double(sample) * sample;
    EXPECT_GT(std::sqrt(energy / double(samples.size())), 100) << "the note is heard in song " << i;
  }
  EXPECT_EQ(out.sliced(3 * 48000 * kAudioFrameBytes), test::ToneFrames(1, 1000));
  // Synthesis is reproducible: another stream of the same songs (a render beside the
  // player) gives the same samples.
  MusicStream again({{midi, midi, midi, tone}, MusicOrder::kListOrder, false}, 1, {});
  EXPECT_EQ(RenderMusic(again, 3 * 48000 + 1000), out);
}

TEST(MusicStream, WithoutASoundFontMidiSongsAreLeftOut) {
  test::TempFolder folder;
  const QString midi = folder.Write(u"note.mid"_s, test::HeldNoteMidi(0.5));
  const QString tone = folder.Write(u"tone.wav"_s, test::ToneWav(1, 1000));
  Heard heard;
  MusicStream stream({{midi, tone}, MusicOrder::kListOrder, false}, 1, heard.Say(), SongOpener(QString()));
  EXPECT_EQ(RenderMusic(stream, 2000), test::ToneFrames(1, 1000) + test::ToneFrames(1, 1000));
  ASSERT_EQ(heard.lines.size(), 1);
  EXPECT_TRUE(heard.lines[0].contains(u"SoundFont"_s));
}

}  // namespace
}  // namespace pivlo
