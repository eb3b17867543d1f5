// The headline preview as the editor runs it: its guards, the text and box it animates,
// the effect number it stores, the counters and the headline colours around it.

#include "render/HeadlinePreview.h"

#include "core/ProjectModel.h"
#include "render/FontEffectFixture.h"
#include "render/RenderTestSupport.h"
#include "render/basDirect3D.h"
#include "render/basFontEffectD3D.h"
#include "render/basTextStyles.h"
#include "TestFiles.h"

#include <QTimer>

#include <stdexcept>

namespace pivlo {
namespace {

using test::Png;

// Records what the preview asked of the editor.
class RecordingPreviewView final : public HeadlinePreviewView {
 public:
  void RefreshCanvas() override { calls << QStringLiteral("refresh"); }
  void SetPersistentDrawing(bool on) override { calls << (on ? QStringLiteral("persistent") : QStringLiteral("direct")); }
  QStringList calls;
};

// Where two frames differ visibly.
QRect ChangedBox(const QImage& a, const QImage& b) { return test::ChangedBox(a, b, 24); }

// A clock that fails the first time an effect waits.
class FailingClock final : public EffectClock {
 public:
  qint64 NowMs() override { return 0; }
  void Wait(qint64) override { throw std::runtime_error("the clock failed"); }
};

// A screen twice the canvas's size, so that boxes and sizes are halved on the canvas.
class HeadlinePreview : public test::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(qRgb(30, 60, 90));
    const QString file = folder_.Write(QStringLiteral("p.png"), Png(picture));
    Style().size = 32;  // 16 pixels on the canvas
    model_.AddPicture(file);
    model_.AddPicture(file);
  }

  static ModelEnvironment Environment() {
    ModelEnvironment environment;
    environment.screen_width = 320;
    environment.screen_height = 240;
    environment.default_font = QStringLiteral("Noto Sans CJK SC");
    return environment;
  }

  TextStyle& Style() { return model_.settings.Style(kHeadlineSlot); }

  void Preview(int selected) {
    canvas_.frames.clear();
    PreviewHeadline(model_, selected, state_, view_);
  }

  // Where the last frame differs from the still one: the resting text.
  QRect RestingText() const { return ChangedBox(canvas_.frames.last(), canvas_.frames.first()); }

  test::TempFolder folder_;
  ProjectModel model_{Environment()};
  EffectPreviewState state_{.shown_picture = 1};
  RecordingPreviewView view_;
};

TEST_F(HeadlinePreview, APictureWithoutHeadlineShowsTheSampleCentredAndKeepsItsEffect) {
  model_.font_list_position = kHeadlineFade;
  model_.pictures[0].head_dynamic_style = kHeadlineJump;
  for (const int selected : {1, 0}) {
    Preview(selected);
    ASSERT_EQ(canvas_.frames.size(), 27);
    const QRect text = RestingText();
    ASSERT_FALSE(text.isNull());
    EXPECT_NEAR(text.center().x(), 80, 3);
    EXPECT_NEAR(text.center().y(), 60, 3);
    EXPECT_GT(text.width(), 80);  // six characters of 16 pixels
  }
  EXPECT_EQ(model_.pictures[0].head_dynamic_style, kHeadlineJump);
  EXPECT_EQ(view_.calls, (QStringList{QStringLiteral("refresh"), QStringLiteral("direct"), QStringLiteral("persistent"),
                                      QStringLiteral("refresh"), QStringLiteral("direct"), QStringLiteral("persistent")}));
}

// A font the machine does not have is drawn in the default one, as the canvas draws it.
TEST_F(HeadlinePreview, TheSelectedHeadlineIsDrawnInItsBoxAndTheEffectIsStored) {
  Style().font_name = QStringLiteral("No Such Font");
  ImageEntry& picture = model_.pictures[1];
  picture.headline = QStringLiteral("屏保");
  picture.headline_box = ScreenBox{100, 60, 120, 50};  // (50, 30, 61, 26) on the canvas
  model_.font_list_position = kHeadlineEnlarge;
  Preview(2);
  EXPECT_EQ(picture.head_dynamic_style, kHeadlineEnlarge);
  EXPECT_EQ(model_.pictures[0].head_dynamic_style, 0);
  const QRect text = RestingText();
  ASSERT_FALSE(text.isNull());
  EXPECT_TRUE(QRect(50, 30, 61, 26).contains(text)) << text.x() << "," << text.y() << " " << text.width();
}

TEST_F(HeadlinePreview, FourSlideInPreviewsComeFromTheLeftTheTopTheRightAndTheBottom) {
  model_.font_list_position = kHeadlineSlideIn;
  const QPoint directions[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  for (const QPoint& direction : directions) {
    Preview(0);
    const QPoint home = RestingText().center();
    // Five frames before the end the text is 20 pixels short of its place.
    const QImage before = canvas_.frames[canvas_.frames.size() - 6];
    const QPoint moved = ChangedBox(before, canvas_.frames.first()).center() - home;
    EXPECT_NEAR(moved.x(), 20 * direction.x(), 2) << direction.x() << "," << direction.y();
    EXPECT_NEAR(moved.y(), 20 * direction.y(), 2) << direction.x() << "," << direction.y();
  }
  EXPECT_EQ(state_.counters.a, 4);  // brought back to 0 before the next preview
}

TEST_F(HeadlinePreview, TheHeadlineColoursAreTheSameAfterAPreviewAndAfterAnError) {
  Style().start_color = Rgb(255, 128, 0);
  Style().end_color = Rgb(0, 0, 255);
  Style().border_color = Rgb(1, 2, 3);
  const TextStyle before = Style();
  model_.font_list_position = kHeadlineShake;

  // While the effect runs, busy, the style holds ARGB colours.
  QList<Colour> during;
  bool busy_during = false;
  QTimer::singleShot(0, [&] {
    during = {Style().start_color, Style().end_color, Style().border_color};
    busy_during = model_.flags.BusyFlag;
  });
  Preview(0);
  EXPECT_EQ(during, (QList<Colour>{Colour(0xFFFF8000u), Colour(0xFF0000FFu), Colour(0xAA010203u)}));
  EXPECT_TRUE(busy_during);
  EXPECT_FALSE(model_.flags.BusyFlag);
  EXPECT_EQ(Style(), before);

  // A failure in the middle of the effect ends the preview as a finished one ends.
  FailingClock failing;
  SetEffectClock(&failing);
  view_.calls.clear();
  Preview(0);
  EXPECT_EQ(Style(), before);
  EXPECT_FALSE(model_.flags.BusyFlag);
  EXPECT_EQ(state_.counters.a, 2);
  EXPECT_EQ(view_.calls.last(), QStringLiteral("persistent"));
}

TEST_F(HeadlinePreview, NothingRunsWhileAGuardHolds) {
  struct Guard {
    const char* name;
    std::function<void(ProjectModel&)> set;
  };
  const Guard guards[] = {
      {"lists being filled", [](ProjectModel& m) { m.flags.LoadingFlag = true; }},
      {"effects off", [](ProjectModel& m) { m.settings.enable_headline_effect = false; }},
      {"picture list busy", [](ProjectModel& m) { m.flags.ListBusy = true; }},
      {"busy", [](ProjectModel& m) { m.flags.BusyFlag = true; }},
      {"no picture", [](ProjectModel& m) { m.ClearPictures(); }},
  };
  for (const Guard& guard : guards) {
    ProjectModel model(Environment());
    model.AddPicture(model_.pictures[0].file);
    model.pictures[0].headline = QStringLiteral("a");
    model.font_list_position = kHeadlineWipe;
    guard.set(model);
    const RunFlags flags = model.flags;
    canvas_.frames.clear();
    PreviewHeadline(model, 1, state_, view_);
    EXPECT_TRUE(canvas_.frames.isEmpty()) << guard.name;
    EXPECT_EQ(model.flags.BusyFlag, flags.BusyFlag) << guard.name;
    EXPECT_EQ(state_.counters.a, 0) << guard.name;
    EXPECT_TRUE(model.pictures.isEmpty() || model.pictures[0].head_dynamic_style == 0) << guard.name;
  }
  ReleaseDirect3D();  // the graphics are not ready
  Preview(1);
  EXPECT_EQ(state_.counters.a, 0);
  EXPECT_TRUE(view_.calls.isEmpty());
}

}  // namespace
}  // namespace pivlo
