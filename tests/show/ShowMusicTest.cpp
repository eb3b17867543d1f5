// The show's music as the show sees it: the songs' times, the lyric standing at a time,
// what the overlay draws over the frames, and the clock that refreshes it.

#include "TestFiles.h"
#include "ToneFixtures.h"
#include "audio/AudioFormat.h"
#include "show/ShowClock.h"
#include "show/ShowMusic.h"
#include "show/ShowOverlay.h"

#include <gtest/gtest.h>

#include <QThread>

using namespace Qt::StringLiterals;

namespace pivlo {

void PrintTo(const MusicEvent& event, std::ostream* out) {
  *out << (event.lyric ? "lyric " : "song ") << event.song << " [" << event.start_ms << ", " << event.end_ms
       << ") " << event.text.toStdString();
}

namespace {

ShowSettings Show() {
  ShowSettings show(ModelEnvironment{1920, 1080, u"Arial"_s, 30});
  show.project.AddPicture(u"/pictures/1.jpg"_s);
  return show;
}

// Song 1: two seconds of tone, its lyric cleared between its lines. Song 2: one second,
// its file moving its one line earlier and naming its title.
struct TwoSongs {
  test::TempFolder folder;
  ShowSettings show = Show();
  TwoSongs() {
    show.project.songs = {{folder.Write(u"one.wav"_s, test::ToneWav(1, 2 * kAudioRate)), 2},
                          {folder.Write(u"two.wav"_s, test::ToneWav(2, kAudioRate)), 1}};
    show.music_lyric_files = {folder.Write(u"one.lrc"_s, "[00:00.50]\xe4\xb8\x80\n[00:01.00]\n[00:01.50]two\n"),
                              folder.Write(u"two.lrc"_s, "[offset:+200]\n[00:00.40]three\n[ti:x]\n")};
  }
};

MusicEvent Song(qint64 start, qint64 end, qint32 number, const QString& path) {
  return {start, end, false, number, path};
}
MusicEvent Lyric(qint64 start, qint64 end, qint32 number, const QString& text) { return {start, end, true, number, text}; }

TEST(ShowMusic, ThePlanGivesEachSongAndLineItsTimeOnTheMusic) {
  TwoSongs songs;
  const QString one = songs.show.project.songs[0].file;
  const QString two = songs.show.project.songs[1].file;
  QStringList said;
  const auto say = [&said](const QString& line) { said << line; };
  EXPECT_EQ(PlanMusic(songs.show, 1, 5000, say),
            (QList<MusicEvent>{Song(0, 2000, 1, one), Lyric(500, 1000, 1, u"一"_s), Lyric(1500, 2000, 1, u"two"_s),
                               Song(2000, 3000, 2, two), Lyric(2200, 3000, 2, u"three"_s), Song(3000, 5000, 1, one),
                               Lyric(3500, 4000, 1, u"一"_s), Lyric(4500, 5000, 1, u"two"_s)}));
  EXPECT_TRUE(said.isEmpty()) << said.join(u'\n').toStdString();

  songs.show.project.settings.enable_lyric = false;
  EXPECT_EQ(PlanMusic(songs.show, 1, 2500, say), (QList<MusicEvent>{Song(0, 2000, 1, one), Song(2000, 3000, 2, two)}));
  songs.show.project.settings.mute_sound = true;
  EXPECT_TRUE(PlanMusic(songs.show, 1, 2500, say).isEmpty());
}

TEST(ShowMusic, AFileWithoutLyricsIsSaidOnceAndItsSongStillPlays) {
  TwoSongs songs;
  songs.show.music_lyric_files[1] = songs.folder.Write(u"bad.lrc"_s, "no time tags here\n");
  QStringList said;
  const QList<MusicEvent> events = PlanMusic(songs.show, 1, 6500, [&said](const QString& line) { said << line; });
  EXPECT_EQ(std::count_if(events.cbegin(), events.cend(), [](const MusicEvent& e) { return !e.lyric && e.song == 2; }),
            2);
  EXPECT_TRUE(std::none_of(events.cbegin(), events.cend(), [](const MusicEvent& e) { return e.lyric && e.song == 2; }));
  ASSERT_EQ(said.size(), 1);
  EXPECT_TRUE(said[0].startsWith(songs.show.music_lyric_files[1] + u": no lyrics"_s)) << said[0].toStdString();
}

// Songs of each kind follow one another without a gap, each as long as it sounds.
TEST(ShowMusic, MpegWaveAndMidiSongsFollowOneAnother) {
  test::TempFolder folder;
  const QString mp3 = folder.Path(u"sine.mp3"_s);
  if (!test::WriteSineMp3(mp3, 1.0, 44100)) GTEST_SKIP() << "this FFmpeg has no MP3 encoder";
  ShowSettings show = Show();
  show.project.songs = {{mp3, 1},
                        {folder.Write(u"tone.wav"_s, test::ToneWav(1, kAudioRate * 3 / 4)), 0.75f},
                        {folder.Write(u"note.mid"_s, test::HeldNoteMidi(0.5)), 0.5f}};
  const QList<MusicEvent> events = PlanMusic(show, 1, 4000, nullptr);
  ASSERT_GE(events.size(), 4);
  for (qsizetype i = 0; i < 4; ++i) {
    EXPECT_EQ(events[i].song, i % 3 + 1);
    if (i > 0) EXPECT_EQ(events[i].start_ms, events[i - 1].end_ms) << "song " << i;
  }
  EXPECT_NEAR(events[0].end_ms, 1000, 60);
  EXPECT_EQ(events[1].end_ms - events[1].start_ms, 750);
  EXPECT_GE(events[2].end_ms - events[2].start_ms, 500) << "the note's release sounds after it";
}

struct MomentCase {
  qint64 at_ms;
  const char* text;
  const char* next;
  qint64 start_ms, end_ms, until_ms;
};

class LyricMoments : public testing::TestWithParam<MomentCase> {};

TEST_P(LyricMoments, GiveTheLineStandingAndWhenItChanges) {
  TwoSongs songs;
  OfflineMusic music(songs.show, 1, nullptr);
  LyricTrack track(songs.show, [&music](qint64 frame) { return music.PlayAt(frame); }, nullptr);
  ASSERT_TRUE(track.Enabled());
  const MomentCase& c = GetParam();
  const LyricMoment moment = track.At(c.at_ms);
  EXPECT_EQ(moment.text.toStdString(), std::string(c.text));
  EXPECT_EQ(moment.next.toStdString(), std::string(c.next));
  if (*c.text != 0) {
    EXPECT_EQ(moment.start_ms, c.start_ms);
    EXPECT_EQ(moment.end_ms, c.end_ms);
  }
  EXPECT_EQ(moment.until_ms, c.until_ms);
}

INSTANTIATE_TEST_SUITE_P(
    Times, LyricMoments,
    testing::Values(MomentCase{0, "", "", 0, 0, 250}, MomentCase{499, "", "", 0, 0, 500},
                    MomentCase{500, "一", "", 500, 1000, 750}, MomentCase{999, "一", "", 500, 1000, 1000},
                    MomentCase{1200, "", "", 0, 0, 1450}, MomentCase{1600, "two", "", 1500, 2000, 1850},
                    MomentCase{2100, "", "", 0, 0, 2200}, MomentCase{2900, "three", "", 2200, 3000, 3000},
                    MomentCase{3500, "一", "", 3500, 4000, 3750}));

// The host: keeps what was presented to it.
class Screen final : public CanvasWindow {
 public:
  QSize InnerSize() const override { return {960, 540}; }
  void PresentFrame(const QImage& frame) override {
    shown = frame.copy();
    ++presents;
  }
  QImage ShownImage() const override { return shown; }
  QImage shown;
  int presents = 0;
};

// One song of four seconds with two lines, drawn white over grey; the sweep is red.
struct LyricScreen {
  test::TempFolder folder;
  ShowSettings show = Show();
  Screen screen;
  StepShowClock clock{1, {}, {}};
  std::unique_ptr<LyricTrack> track;
  std::unique_ptr<ShowOverlay> overlay;
  QImage base{960, 540, QImage::Format_RGB32};

  explicit LyricScreen(qint32 style, const QString& hint = QString()) {
    ProjectSettings& s = show.project.settings;
    s.lyric_style = style;
    s.lyric_box = {192, 700, 1536, 100};
    TextStyle& lyric = s.styles[kLyricSlot - 1];
    lyric.pattern = 0;
    lyric.start_color = Rgb(255, 255, 255);
    lyric.border_width = 0;
    lyric.size = 80;
    s.lyric_dynamic_pattern = 0;
    s.lyric_dynamic_start_color = Rgb(255, 0, 0);
    show.project.songs = {{folder.Write(u"song.wav"_s, test::ToneWav(1, 8)), 4}};
    show.music_lyric_files = {folder.Write(u"song.lrc"_s, "[00:01.00]WWWWWW\n[00:03.00]MMMM\n")};
    const SongPlay play{1, show.project.songs[0].file, 0, 4 * kAudioRate};
    track = std::make_unique<LyricTrack>(show, [play](qint64) { return play; }, nullptr);
    overlay = std::make_unique<ShowOverlay>(screen, show, clock, track.get(), hint);
    base.fill(qRgb(90, 90, 90));
    overlay->PresentFrame(base);
  }
  // The lyric box on the host's screen (half the project's), and the one below it.
  static QRect Box() { return {96, 350, 768, 50}; }
};

int Count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += test(image.pixel(x, y)) ? 1 : 0;
  }
  return count;
}
bool White(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200; }
bool Red(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60; }
bool Grey(QRgb pixel) { return pixel == qRgb(90, 90, 90); }

TEST(ShowOverlay, OneStaticLineStandsInTheBoxOverTheUndisturbedFrame) {
  LyricScreen s(0);
  const QImage shown = s.overlay->FrameAt(1500);
  const QRect outside(0, 0, 960, 340);
  EXPECT_EQ(Count(shown, outside, Grey), outside.width() * outside.height());
  EXPECT_GT(Count(shown, LyricScreen::Box(), White), 200);
  EXPECT_EQ(s.overlay->ShownImage().convertToFormat(QImage::Format_RGB32), s.base) << "transitions start from this";
  EXPECT_EQ(Count(s.overlay->FrameAt(500), LyricScreen::Box(), White), 0) << "before the first line";
}

TEST(ShowOverlay, TwoLinesPutTheComingOneRightBelowTheCurrent) {
  LyricScreen s(1);
  const QImage shown = s.overlay->FrameAt(1500);
  const QRect box = LyricScreen::Box();
  const QRect left(box.left(), box.top(), box.width() / 2, box.height());
  const QRect below_right(box.center().x(), box.bottom() + 1, box.width() / 2, box.height());
  EXPECT_GT(Count(shown, left, White), 200) << "the current line on the left";
  EXPECT_GT(Count(shown, below_right, White), 200) << "the coming line on the right below";
  EXPECT_EQ(Count(shown, QRect(box.center().x() + 40, box.top(), box.width() / 2 - 40, box.height()), White), 0);
}

// Half through its time a swept line is red over about its first half, still white
// after it.
TEST(ShowOverlay, TheSweepColoursTheLineFromTheLeftOverItsTime) {
  for (const qint32 style : {2, 3}) {
    LyricScreen s(style);
    const QRect box = LyricScreen::Box();
    const QImage start = s.overlay->FrameAt(1000);
    EXPECT_EQ(Count(start, box, Red), 0) << style;
    const QImage half = s.overlay->FrameAt(2000);
    const int red = Count(half, box, Red);
    const int white = Count(half, box, White);
    EXPECT_GT(red, 100) << style;
    EXPECT_GT(white, 100) << style;
    EXPECT_NEAR(double(red) / (red + white), 0.5, 0.15) << style;
    int rightmost_red = 0;
    int leftmost_white = box.right();
    for (int y = box.top(); y <= box.bottom(); ++y) {
      for (int x = box.left(); x <= box.right(); ++x) {
        if (Red(half.pixel(x, y))) rightmost_red = std::max(rightmost_red, x);
        if (White(half.pixel(x, y))) leftmost_white = std::min(leftmost_white, x);
      }
    }
    EXPECT_LE(rightmost_red, leftmost_white + 2) << style;
    EXPECT_EQ(Count(s.overlay->FrameAt(2999), box, White), 0) << style << ": all swept at the line's end";
  }
}

TEST(ShowOverlay, RefreshPresentsOnlyWhatChangesAndSaysWhenToComeBack) {
  LyricScreen still(0);
  still.screen.presents = 0;
  EXPECT_EQ(still.overlay->Refresh(0), 250);
  EXPECT_EQ(still.screen.presents, 0) << "nothing stands yet";
  EXPECT_EQ(still.overlay->Refresh(1000), 1250);
  EXPECT_EQ(still.screen.presents, 1);
  still.overlay->Refresh(1300);
  EXPECT_EQ(still.screen.presents, 1) << "the same line";

  LyricScreen swept(2);
  EXPECT_EQ(swept.overlay->Refresh(1500), 1516) << "a sweep moves at the display's pace";
}

TEST(ShowOverlay, TheHintStandsForTheFirstSecondsOnly) {
  LyricScreen s(0, u"按 E 键导出图片和音乐"_s);
  const QRect corner(480, 0, 480, 60);
  EXPECT_GT(Count(s.overlay->FrameAt(100), corner, White), 100);
  EXPECT_EQ(Count(s.overlay->FrameAt(kExportHintMs), corner, White), 0);
  EXPECT_EQ(s.overlay->Refresh(100), 350) << "the lyric is asked again before the hint goes";
}

TEST(ShowClock, WaitsRefreshWhenAskedOnTheWay) {
  QList<qint64> refreshed;
  bool captured = false;
  StepShowClock clock(1, {100}, [&](qsizetype) { captured = true; });
  clock.SetRefresh([&refreshed](qint64 now) {
    refreshed << now;
    return now + 30;
  });
  EXPECT_THROW(clock.WaitUntil(200), ShowStopped);
  EXPECT_TRUE(captured);
  EXPECT_EQ(refreshed, (QList<qint64>{0, 30, 60, 90}));
}

TEST(ShowClock, StandsStillWhilePaused) {
  RealTimeShowClock clock(1);
  clock.Start();
  QThread::msleep(20);
  clock.SetPaused(true);
  const qint64 paused_at = clock.NowMs();
  QThread::msleep(40);
  EXPECT_EQ(clock.NowMs(), paused_at);
  clock.SetPaused(false);
  QThread::msleep(20);
  EXPECT_GT(clock.NowMs(), paused_at);
  EXPECT_LT(clock.NowMs(), paused_at + 1000);
}

}  // namespace
}  // namespace pivlo
