// What the viewer does to a show on screen: which input ends it, how its windows hand
// the input on, and how a frame is kept and fitted to a window of another shape.

#include "player/AboutDialog.h"
#include "player/EndingRules.h"
#include "player/ScreenCanvas.h"
#include "player/ShowWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Step {
  enum Kind { kKey, kButton, kMove } kind;
  QPoint at;  // for a move
  bool ends;
};

bool Apply(EndingRules& rules, const Step& step) {
  switch (step.kind) {
    case Step::kKey: return rules.EndsOnKey();
    case Step::kButton: return rules.EndsOnButton();
    case Step::kMove: return rules.EndsOnMove(step.at);
  }
  return false;
}

TEST(EndingRules, KeysAlwaysEndTheShowTheMouseOnlyWhenItIsNotTheViewers) {
  struct Case {
    bool show_cursor;
    bool ignore_mouse_move;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      // The first position seen is where the mouse rests; drifting within 10 pixels of it
      // (however often) is no move, beyond it is.
      {false, false,
       {{Step::kMove, {500, 500}, false},
        {Step::kMove, {506, 508}, false},
        {Step::kMove, {490, 500}, false},
        {Step::kMove, {511, 500}, true}}},
      {false, false, {{Step::kMove, {0, 0}, false}, {Step::kMove, {8, 8}, true}}},
      {false, false, {{Step::kButton, {}, true}, {Step::kKey, {}, true}}},
      {false, true,
       {{Step::kMove, {0, 0}, false}, {Step::kMove, {900, 900}, false}, {Step::kButton, {}, true}}},
      {true, false,
       {{Step::kMove, {0, 0}, false},
        {Step::kMove, {900, 900}, false},
        {Step::kButton, {}, false},
        {Step::kKey, {}, true}}},
  };
  for (const Case& c : cases) {
    EndingRules rules(c.show_cursor, c.ignore_mouse_move);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      EXPECT_EQ(Apply(rules, c.steps[i]), c.steps[i].ends)
          << "cursor " << c.show_cursor << " ignore moves " << c.ignore_mouse_move << " step " << i;
    }
  }
}

class ShowWindowTest : public testing::Test {
 protected:
  // A window under the rules, shown, counting the times it ends the show.
  std::unique_ptr<ShowWindow> Shown(bool show_cursor) {
    rules_ = std::make_unique<EndingRules>(show_cursor, false);
    auto window = std::make_unique<ShowWindow>(*rules_, [this] { ++ends_; });
    window->resize(320, 180);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  std::unique_ptr<EndingRules> rules_;
  int ends_ = 0;
};

TEST_F(ShowWindowTest, HandsKeysButtonsMovesAndClosingToTheRules) {
  const auto window = Shown(false);
  QTest::mouseMove(window.get(), QPoint(100, 100));
  QTest::mouseMove(window.get(), QPoint(105, 100));
  EXPECT_EQ(ends_, 0);
  QTest::mouseMove(window.get(), QPoint(150, 100));
  EXPECT_EQ(ends_, 1);
  QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(150, 100));  // where the mouse is: no move
  EXPECT_EQ(ends_, 2);
  QTest::keyClick(window.get(), Qt::Key_Shift);
  EXPECT_EQ(ends_, 3);
  window->close();
  EXPECT_EQ(ends_, 4);
}

TEST_F(ShowWindowTest, WithTheCursorShownOnlyKeysEndTheShow) {
  const auto window = Shown(true);
  QTest::mouseMove(window.get(), QPoint(10, 10));
  QTest::mouseMove(window.get(), QPoint(300, 170));
  QTest::mouseClick(window.get(), Qt::RightButton);
  EXPECT_EQ(ends_, 0);
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_EQ(ends_, 1);
}

TEST_F(ShowWindowTest, WithTheExportKeySetEStartsTheExportAndTheMouseRestsAnewAfterIt) {
  const auto window = Shown(false);
  QTest::keyClick(window.get(), Qt::Key_E);
  EXPECT_EQ(ends_, 1);  // unset, E is a key like any other

  int exports = 0;
  window->SetExportKey([&](QWindow& over) {
    EXPECT_EQ(&over, window.get());
    ++exports;
    QTest::keyClick(window.get(), Qt::Key_E);  // none starts inside another
  });
  QTest::mouseMove(window.get(), QPoint(10, 10));
  QTest::keyClick(window.get(), Qt::Key_E);
  EXPECT_EQ(exports, 1);
  QTest::keyPress(window.get(), Qt::Key_E);
  QKeyEvent held(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, u"e"_s, true);  // a held key repeats
  QCoreApplication::sendEvent(window.get(), &held);
  QTest::keyRelease(window.get(), Qt::Key_E);
  EXPECT_EQ(exports, 2);
  EXPECT_EQ(ends_, 1);

  // The viewer used the mouse in the dialogs: where it is seen next is where it rests.
  QTest::mouseMove(window.get(), QPoint(300, 170));
  EXPECT_EQ(ends_, 1);
  QTest::mouseMove(window.get(), QPoint(250, 170));
  EXPECT_EQ(ends_, 2);
  QTest::keyClick(window.get(), Qt::Key_Space);
  EXPECT_EQ(ends_, 3);
}

TEST(FitFrame, KeepsTheFramesShapeCentredInTheWindow) {
  struct Case {
    QSize frame;
    QRect target;
    QRect fitted;
  };
  const Case cases[] = {
      {{800, 600}, {0, 0, 1280, 720}, {160, 0, 960, 720}},
      {{1920, 1080}, {0, 0, 960, 540}, {0, 0, 960, 540}},
      {{400, 300}, {0, 0, 600, 250}, {133, 0, 333, 250}},
      {{960, 540}, {0, 0, 960, 1000}, {0, 230, 960, 540}},
      {{960, 540}, {0, 0, 0, 0}, {}},
      {{}, {0, 0, 100, 100}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitFrame(c.frame, c.target), c.fitted) << c.frame.width() << "x" << c.target.width();
}

TEST(ScreenCanvas, AWindowedShowIsComposedAtItsStartSizeAndKeepsWhatWasPresented) {
  const auto canvas = ScreenCanvas::Windowed(EndingRules(false, false), [] {}, u"假日"_s);
  EXPECT_EQ(canvas->InnerSize(), QSize(960, 540));
  EXPECT_EQ(canvas->ShownImage().pixel(480, 270), qRgb(0, 0, 0));  // black until the first frame

  // The device hands its back buffer only for the call; it draws on in it afterwards.
  QImage back_buffer(canvas->InnerSize(), QImage::Format_ARGB32_Premultiplied);
  back_buffer.fill(Qt::red);
  canvas->PresentFrame(QImage(back_buffer.constBits(), 960, 540, back_buffer.bytesPerLine(), back_buffer.format()));
  back_buffer.fill(Qt::blue);
  EXPECT_EQ(canvas->ShownImage().pixel(480, 270), qRgb(255, 0, 0));
}

TEST(AboutText, NamesTheScreensaverAndTheTextsItHas) {
  ProjectSettings settings;
  settings.info = {u"假日"_s, u""_s, u"me@example.org"_s, u"  "_s, u"海边的照片\r\n第二行"_s, u"© 2024"_s};
  EXPECT_EQ(AboutText(settings), u"屏保名称：假日\n电子邮件：me@example.org\n说明文件：海边的照片\n第二行\n版权说明：© 2024"_s);
  settings.info = {};
  EXPECT_EQ(AboutText(settings), u"屏保名称："_s);
}

}  // namespace
}  // namespace pivlo
