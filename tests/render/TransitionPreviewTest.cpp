// The preview flow over a project: its guards, the pictures it composes and alternates,
// the counters, and what the canvas shows at the end.

#include "render/TransitionPreview.h"

#include "render/FramePacing.h"
#include "render/LayoutCompose.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include "PictureFiles.h"
#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"
#include "render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::MakeImage;
using test::Png;
using test::RecordingCanvas;

constexpr QSize kCanvas(64, 48);
constexpr int kCrossfade = 15;
constexpr int kPush = 13;
const QRgb kDark = qRgb(20, 20, 20);
const QRgb kLight = qRgb(240, 240, 240);

QImage Flat(QRgb colour) {
  return MakeImage(kCanvas.width(), kCanvas.height(), QImage::Format_RGB32, [colour](int, int) { return colour; });
}

// Time steps while waiting; the busy flag is noted at every wait.
class WatchingClock final : public EffectClock {
 public:
  explicit WatchingClock(const ProjectModel& project) : project_(project) {}
  qint64 NowMs() override { return now; }
  void Wait(qint64 milliseconds) override {
    now += milliseconds;
    busy_at_waits.append(project_.flags.BusyFlag);
  }
  qint64 now = 0;
  QList<bool> busy_at_waits;

 private:
  const ProjectModel& project_;
};

class Preview : public testing::Test {
 protected:
  void SetUp() override {
    SetEffectClock(&clock_);
    SetRainbowPicture(Png(Flat(kDark)));
    InitDirect3D(canvas_, QStringLiteral(PIVLO_RUNTIME_PATH));
    ASSERT_TRUE(Direct3DReady());
    project_.AddPicture(folder_.Write(QStringLiteral("dark.png"), Png(Flat(kDark))));
    project_.AddPicture(folder_.Write(QStringLiteral("light.png"), Png(Flat(kLight))));
    state_.shown_picture = 1;
  }
  void TearDown() override {
    ReleaseDirect3D();
    SetRainbowPicture(QByteArray());
    SetEffectClock(nullptr);
  }

  void Click(int position) {
    canvas_.frames.clear();
    canvas_.presents = 0;
    PreviewTransition(context_, position);
  }

  test::TempFolder folder_;
  ProjectModel project_{test::TestEnvironment()};
  test::ScriptedPrompter prompter_;
  test::RecordingView view_;
  RecordingCanvas canvas_{kCanvas, true};
  EffectPreviewState state_;
  TransitionPreviewContext context_{project_, prompter_, view_, canvas_, state_, QByteArray(), ClockRandomUnit()};
  WatchingClock clock_{project_};
};

TEST_F(Preview, PicturesTwoAndOneAlternateComingIn) {
  Click(kCrossfade);
  EXPECT_NEAR(qRed(canvas_.frames.first().pixel(10, 10)), 20, 3);  // from picture 1...
  EXPECT_EQ(canvas_.ShownImage().pixel(10, 10), kLight);           // ...to picture 2
  EXPECT_EQ(state_.shown_picture, 2);
  Click(kCrossfade);
  EXPECT_NEAR(qRed(canvas_.frames.first().pixel(10, 10)), 240, 3);  // over picture 2
  EXPECT_EQ(canvas_.ShownImage().pixel(10, 10), kDark);
  Click(kCrossfade);
  EXPECT_EQ(canvas_.ShownImage().pixel(10, 10), kLight);
  EXPECT_EQ(state_.shown_picture, 2);
  EXPECT_FALSE(project_.flags.BusyFlag);
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(Preview, ConsecutivePushesComeFromTheLeftTopRightAndBottom) {
  // Where the incoming picture lies halfway: left, top, right, bottom, and left again.
  const QRect halfway[] = {{0, 0, 32, 48}, {0, 0, 64, 24}, {32, 0, 32, 48}, {0, 24, 64, 24}, {0, 0, 32, 48}};
  for (const QRect& expected : halfway) {
    Click(kPush);
    const QImage middle = canvas_.frames[(canvas_.frames.size() - 1) / 2];  // the last is the canvas's own
    const QRgb incoming = canvas_.ShownImage().pixel(0, 0);
    QRect area;
    for (int y = 0; y < middle.height(); ++y) {
      for (int x = 0; x < middle.width(); ++x) {
        if (middle.pixel(x, y) == incoming) area |= QRect(x, y, 1, 1);
      }
    }
    EXPECT_EQ(area, expected);
  }
  EXPECT_EQ(state_.counters.a, 1);  // back to 0 before the fifth, advanced after it
}

TEST_F(Preview, WithOnePictureOnlyTheMessageShows) {
  project_.RemovePictures({1});
  Click(kPush);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, QStringLiteral("请首先添加至少两张图片到屏幕保护中"));
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(view_.calls, QStringList{QStringLiteral("PointAtAddPictures")});
  EXPECT_EQ(canvas_.presents, 0);
  EXPECT_EQ(state_.counters.a, 0);
  EXPECT_EQ(state_.shown_picture, 1);
}

TEST_F(Preview, NothingHappensWhileLoadingOrBusyOrWithoutTheDevice) {
  project_.flags.LoadingFlag = true;
  project_.RemovePictures({1});
  Click(kPush);  // not even the message
  project_.AddPicture(folder_.Path(QStringLiteral("light.png")));
  project_.flags.LoadingFlag = false;
  project_.flags.BusyFlag = true;
  Click(kPush);
  project_.flags.BusyFlag = false;
  ReleaseDirect3D();
  Click(kPush);
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(canvas_.presents, 0);
  EXPECT_EQ(state_.counters.a, 0);
  EXPECT_EQ(state_.alternate_picture, 1);
}

TEST_F(Preview, BusyWhileRunningAndEndingOnTheIncomingPictureWithItsFrame) {
  const QImage frame = MakeImage(64, 48, QImage::Format_ARGB32, [](int x, int) {
    return x < 4 ? qRgba(255, 0, 0, 255) : qRgba(0, 0, 0, 0);
  });
  project_.settings.picture_frame_num = 1;
  context_.canvas_frame = Png(frame);
  CreateFrameTexture(context_.canvas_frame);
  Click(kPush);
  ASSERT_FALSE(clock_.busy_at_waits.isEmpty());
  EXPECT_EQ(clock_.busy_at_waits.count(false), 0);
  EXPECT_FALSE(project_.flags.BusyFlag);
  EXPECT_EQ(canvas_.ShownImage().pixel(1, 10), qRgb(255, 0, 0));
  EXPECT_EQ(canvas_.ShownImage().pixel(40, 10), kLight);
  EXPECT_EQ(canvas_.frames.size(), 33 + 1);  // the push's frames, then the composed picture
}

TEST_F(Preview, AFailedPreviewKeepsItsTimeAndAdvancesTheCounters) {
  canvas_.Resize(QSize(0, 0));  // nothing can be composed: the textures fail
  Click(kCrossfade);
  EXPECT_TRUE(ResourceFailed());
  EXPECT_EQ(canvas_.presents, 1);  // only the canvas's own picture at the end
  EXPECT_GE(clock_.now, 1000);
  EXPECT_EQ(state_.counters.a, 1);
  EXPECT_EQ(state_.counters.b, 1);
  EXPECT_EQ(state_.counters.c, 1);
  EXPECT_FALSE(project_.flags.BusyFlag);
}

}  // namespace
}  // namespace pivlo
