#include "shell/ShellPrompter.h"
#include "shell/ToolTipClock.h"
#include "shell/WindowScaling.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

struct ScaleCase {
  int dpi;
  int height;
  std::optional<float> scale;
};

TEST(WindowScalingTest, TheScaleFollowsDensityAndHeight) {
  const ScaleCase cases[] = {
      {96, 600, 600.0f / 740.0f},  // a netbook screen
      {96, 699, 699.0f / 740.0f},
      {96, 700, std::nullopt},
      {96, 768, std::nullopt},
      {72, 400, std::nullopt},  // below normal density: never
      {120, 1080, 0.8f},        // denser: 96 / dpi whatever the height
      {120, 600, 0.8f},
      {144, 2160, 96.0f / 144.0f},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpi << " dpi, " << c.height << " pixels");
    const std::optional<float> scale = MainWindowScale(c.dpi, c.height);
    ASSERT_EQ(scale.has_value(), c.scale.has_value());
    if (scale) {
      EXPECT_FLOAT_EQ(*scale, *c.scale);
    }
  }
}

TEST(WindowScalingTest, TheWindowTakesTheScaledDesignSize) {
  EXPECT_EQ(ScaledWindowSize(1), QSize(960, 740));
  EXPECT_EQ(ScaledWindowSize(*MainWindowScale(96, 600)), QSize(778, 600));
  EXPECT_EQ(ScaledWindowSize(0.8f), QSize(768, 592));
}

TEST(WindowScalingTest, TheLookFontIsTheOneTwoSystemFontsShare) {
  const LookFont a9{QStringLiteral("A"), 9};
  const LookFont b9{QStringLiteral("B"), 9};
  const LookFont b8{QStringLiteral("B"), 8};
  const LookFont c10{QStringLiteral("C"), 10};

  LookFont look = ChooseLookFont(a9, b9, b8, false);
  EXPECT_EQ(look.face, QStringLiteral("B"));
  EXPECT_EQ(look.points, 9);
  EXPECT_EQ(ChooseLookFont(a9, b9, b8, true).points, 8);  // one point less once scaled

  // All three differ: the message font's.
  look = ChooseLookFont(a9, b8, c10, false);
  EXPECT_EQ(look.face, QStringLiteral("B"));
  EXPECT_EQ(look.points, 8);
  // The menu font shares with the small-caption font.
  look = ChooseLookFont(c10, b9, LookFont{QStringLiteral("C"), 10}, false);
  EXPECT_EQ(look.face, QStringLiteral("C"));
  EXPECT_EQ(look.points, 10);
}

TEST(WindowScalingTest, TheLookSizeStaysWithinEightToElevenPoints) {
  const auto size_of = [](double points, bool scaled) {
    const LookFont f{QStringLiteral("F"), points};
    return ChooseLookFont(f, f, f, scaled).points;
  };
  EXPECT_EQ(size_of(14, false), 11);
  EXPECT_EQ(size_of(6, false), 8);
  EXPECT_EQ(size_of(8, true), 8);
  EXPECT_EQ(size_of(12, true), 11);
  EXPECT_DOUBLE_EQ(PixelsToPoints(16, 96), 12);
}

TEST(ToolTipClockTest, ATipShowsOnTheSecondTickAndHidesAfterTwelve) {
  ToolTipClock clock;
  clock.Hover(QStringLiteral("tip "), true);
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::None);  // the hover's first tick
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::Show);
  // Moving over the same control again neither restarts nor re-shows it.
  clock.Hover(QStringLiteral("tip "), true);
  for (int tick = 3; tick <= 11; ++tick) EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::None) << tick;
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::Hide);
  EXPECT_FALSE(clock.HoverActive());
  EXPECT_TRUE(clock.PendingText().isEmpty());
  // A new hover may start now.
  clock.Hover(QStringLiteral("next "), true);
  EXPECT_EQ(clock.PendingText(), QStringLiteral("next "));
}

TEST(ToolTipClockTest, TipsOffShowNothingButTheCountStillWraps) {
  ToolTipClock clock;
  clock.Hover(QStringLiteral("tip "), false);
  EXPECT_FALSE(clock.HoverActive());
  for (int tick = 1; tick <= 12; ++tick) EXPECT_EQ(clock.Tick(false), ToolTipClock::Action::None);
  EXPECT_EQ(clock.TipTickCount(), 0);
}

TEST(ToolTipClockTest, LeavingForTheBackgroundEndsTheHover) {
  ToolTipClock clock;
  clock.Hover(QStringLiteral("tip "), true);
  clock.Tick(true);
  clock.EndHover();
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::None);
  clock.Hover(QString(), true);  // controls without a tip start no hover
  EXPECT_FALSE(clock.HoverActive());
}

TEST(ShellPrompterTest, ABareCarriageReturnBreaksTheLine) {
  EXPECT_EQ(MessageBoxText(QStringLiteral("a\rb\r\nc")), QStringLiteral("a\nb\nc"));
}

TEST(ShellPrompterTest, FileFiltersMatchWithoutRegardToCase) {
  const QStringList filters = DialogNameFilters(
      {FileFilter{QStringLiteral("所有支持的图片格式"), QStringLiteral("*.Bmp;*.Jpg")}});
  ASSERT_EQ(filters.size(), 1);
  EXPECT_TRUE(filters.first().startsWith(QStringLiteral("所有支持的图片格式 (")));
  const QString inner = filters.first().section(u'(', 1).chopped(1);
  const QStringList patterns = inner.split(u' ');
  ASSERT_EQ(patterns.size(), 2);
  const QRegularExpression jpg(QRegularExpression::wildcardToRegularExpression(patterns.at(1)));
  for (const QString& name : {QStringLiteral("a.jpg"), QStringLiteral("B.JPG"), QStringLiteral("c.Jpg")}) {
    EXPECT_TRUE(jpg.match(name).hasMatch()) << name.toStdString();
  }
  EXPECT_FALSE(jpg.match(QStringLiteral("d.jpeg")).hasMatch());
}

TEST(ShellPrompterTest, ASaveDialogAddsTheDefaultSuffixToANameTypedWithoutOne) {
  QTemporaryDir folder;
  FileDialogOptions options;
  options.title = QStringLiteral("选择保存屏幕保护的位置");
  options.start_folder = folder.path();
  options.default_suffix = QStringLiteral("exe");
  const std::pair<QString, QString> cases[] = {{QStringLiteral("我的屏幕保护"), QStringLiteral("我的屏幕保护.exe")},
                                               {QStringLiteral("show.scr"), QStringLiteral("show.scr")}};
  for (const auto& [typed, expected] : cases) {
    QTimer::singleShot(0, [typed = typed] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept takes the typed name
    });
    ShellPrompter prompter;
    EXPECT_EQ(prompter.GetSaveFileName(options).toStdString(), QDir(folder.path()).filePath(expected).toStdString());
  }
}

}  // namespace
}  // namespace pivlo
