#include "media/MidiDuration.h"

#include "TestFiles.h"
#include "media/AudioFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pivlo {
namespace {

using test::MidiEndOfTrack;
using test::MidiFile;
using test::MidiNoteOn;
using test::MidiTempo;
using test::MidiTrack;
using test::VariableLength;

// Format 0, 480 ticks a quarter: 960 ticks at 0.5 s a quarter, then 480 at 1 s: 2 seconds.
QByteArray TwoSecondSong() {
  return MidiFile(0, 480, {MidiTrack(MidiTempo(0, 500000) + MidiNoteOn(960, 60) + MidiTempo(0, 1000000) +
                                     MidiNoteOn(480, 62) + MidiEndOfTrack(0))});
}

TEST(MidiDuration, FollowsTheTempoMapOfEveryTrack) {
  struct Case {
    const char* name;
    QByteArray file;
    double seconds;
  };
  const QByteArray format1 = MidiFile(
      1, 480,
      {MidiTrack(MidiTempo(0, 400000) + MidiTempo(960, 800000) + MidiEndOfTrack(0)),
       MidiTrack(MidiNoteOn(0, 60) + MidiNoteOn(1920, 64) + MidiEndOfTrack(0)),
       MidiTrack(MidiTempo(480, 600000) + MidiEndOfTrack(0))});
  const QByteArray mixed_events = MidiFile(
      0, 480,
      {MidiTrack(MidiNoteOn(0, 60) + VariableLength(240) + QByteArray("\x40\x64", 2) +  // running status
                 VariableLength(0) + QByteArray("\xF0\x03\x7E\x7F\xF7", 5) +           // system exclusive
                 VariableLength(0) + QByteArray("\xFF\x01\x04text", 7) +               // text meta event
                 VariableLength(0) + QByteArray("\x45\x64", 2) +                       // running status again
                 VariableLength(0) + QByteArray("\xC0\x05", 2) +                       // program change
                 MidiEndOfTrack(240))});
  QByteArray rmid = TwoSecondSong();
  rmid = QByteArray("RMID") + "data" + QByteArray(1, char(rmid.size())) + QByteArray(3, '\0') + rmid;
  rmid = QByteArray("RIFF") + QByteArray(1, char(rmid.size())) + QByteArray(3, '\0') + rmid;
  const Case cases[] = {
      {"format 0 with tempo changes", TwoSecondSong(), 2.0},
      {"format 1, tempo changes in two tracks", format1, 2.6},
      {"no tempo: 120 beats a minute", MidiFile(0, 96, {MidiTrack(MidiNoteOn(0, 60) + MidiEndOfTrack(384))}), 2.0},
      {"running status, sysex and meta events", mixed_events, 0.5},
      {"25 frames of 40 ticks a second, tempo ignored",
       MidiFile(1, 0xE728, {MidiTrack(MidiTempo(0, 1000000) + MidiEndOfTrack(2500))}), 2.5},
      {"inside a RIFF RMID file", rmid, 2.0},
      {"track cut short: up to its last whole event",
       MidiFile(0, 480, {MidiTrack(MidiNoteOn(480, 60) + MidiNoteOn(480, 62)).chopped(1)}), 0.5},
      {"track length beyond the file",
       MidiFile(0, 480, {QByteArray("MTrk\x7F\xFF\xFF\xFF", 8) + MidiNoteOn(960, 60)}), 1.0},
      {"a chunk of another kind is passed over",
       MidiFile(0, 480, {QByteArray("XFIH\0\0\0\x02\xFF\xFF", 10), MidiTrack(MidiEndOfTrack(480))}), 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<double> seconds = MidiDuration(c.file);
    ASSERT_TRUE(seconds.has_value());
    EXPECT_NEAR(*seconds, c.seconds, 1e-9);
  }
}

TEST(MidiDuration, RefusesWhatIsNotAMidiFileOfFormat0Or1) {
  struct Case {
    const char* name;
    QByteArray file;
  };
  const QByteArray track = MidiTrack(MidiEndOfTrack(480));
  const Case cases[] = {
      {"empty", QByteArray()},
      {"header cut short", MidiFile(0, 480, {}).left(12)},
      {"no track", MidiFile(0, 480, {})},
      {"format 2", MidiFile(2, 480, {track})},
      {"division 0", MidiFile(0, 0, {track})},
      {"time code without ticks", MidiFile(0, 0xE700, {track})},
      {"header length beyond the file", QByteArray("MThd\xFF\xFF\xFF\xFF\0\0\0\x01\x01\xE0", 14) + track},
      {"header length below 6", QByteArray("MThd\0\0\0\x04\0\0\0\x01", 12) + track},
      {"a WAV file", test::WavFile(1, 8000, 8, 8000)},
      {"RIFF RMID without data", QByteArray("RIFF\x04\0\0\0RMID", 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(MidiDuration(c.file).has_value());
  }
}

TEST(MidiDuration, AbsurdNumbersEndCleanly) {
  // A five-byte delta time is malformed: the track ends at its last whole event.
  const QByteArray overlong = MidiFile(
      0, 480, {MidiTrack(MidiNoteOn(480, 60) + QByteArray("\x81\x81\x81\x81\x01\x90\x40\x40", 8))});
  EXPECT_NEAR(MidiDuration(overlong).value_or(-1), 0.5, 1e-9);

  // The longest delta at the slowest tempo and one tick a quarter, many times over.
  QByteArray slow = MidiTempo(0, 0xFFFFFF);
  for (int i = 0; i < 1000; ++i) slow += MidiNoteOn(0x0FFFFFFF, 60);
  const std::optional<double> seconds = MidiDuration(MidiFile(0, 1, {MidiTrack(slow)}));
  ASSERT_TRUE(seconds.has_value());
  EXPECT_TRUE(std::isfinite(*seconds));
  EXPECT_NEAR(*seconds, 1000.0 * 0x0FFFFFFF * 0xFFFFFF / 1e6, 1e3);

  // A meta event longer than its track.
  const QByteArray long_meta =
      MidiFile(0, 480, {MidiTrack(MidiNoteOn(480, 60) + QByteArray("\x00\xFF\x01\x8F\xFF\xFF\x7F", 7))});
  EXPECT_NEAR(MidiDuration(long_meta).value_or(-1), 0.5, 1e-9);
}

TEST(MidiDuration, ReadsFiles) {
  test::TempFolder folder;
  EXPECT_NEAR(MidiFileDuration(folder.Write(QStringLiteral("song.mid"), TwoSecondSong())).value_or(-1), 2.0, 1e-9);
  EXPECT_FALSE(MidiFileDuration(folder.Path(QStringLiteral("missing.mid"))).has_value());
}

}  // namespace
}  // namespace pivlo
