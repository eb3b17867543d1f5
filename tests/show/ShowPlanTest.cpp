#include "show/ShowPlan.h"

#include "render/basFontEffectD3D.h"
#include "render/basTransitionD3D.h"

#include <gtest/gtest.h>

#include <QSet>

#include <functional>

namespace pivlo {
namespace {

using Kind = ShowEventKind;

ShowSettings Show(int pictures) {
  ShowSettings show(ModelEnvironment{1920, 1080, QStringLiteral("Arial"), 30});
  for (int i = 1; i <= pictures; ++i) show.project.AddPicture(QStringLiteral("/pictures/%1.jpg").arg(i));
  ProjectSettings& s = show.project.settings;
  s.enable_transition = false;
  s.enable_headline_effect = false;
  return show;
}

ShowMaterial All(const ShowSettings& show) {
  ShowMaterial material;
  for (qsizetype i = 1; i <= show.project.pictures.size(); ++i) material.pictures << qint32(i);
  return material;
}

using Lines = std::vector<std::string>;

// The plan's lines, tabs shown as blanks.
Lines PlanLines(const ShowSettings& show, std::optional<double> seconds = std::nullopt, quint32 seed = 7) {
  Lines lines;
  for (const ShowEvent& event : PlanShow(show, All(show), seed, seconds)) {
    lines.push_back(ShowEventLine(event, show).replace(u'\t', u' ').toStdString());
  }
  return lines;
}

std::string Seconds(qint64 ms) { return QString::number(ms / 1000.0, 'f', 3).toStdString(); }

struct PlanCase {
  const char* name;
  int pictures;
  std::function<void(ShowSettings&)> set;
  Lines expected;
};

class ShowPlanTable : public testing::TestWithParam<PlanCase> {};

TEST_P(ShowPlanTable, GivesTheTimeline) {
  ShowSettings show = Show(GetParam().pictures);
  GetParam().set(show);
  EXPECT_EQ(PlanLines(show), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ShowPlanTable,
    testing::Values(
        PlanCase{"DefaultTimesInOrder", 3, [](ShowSettings&) {},
                 {"0.000 10.000 slide 1 /pictures/1.jpg", "10.000 20.000 slide 2 /pictures/2.jpg",
                  "20.000 30.000 slide 3 /pictures/3.jpg"}},
        PlanCase{"OwnTimesAndTheLeastTime", 3,
                 [](ShowSettings& s) {
                   s.project.pictures[0].slide_duration = 5.25f;
                   s.project.pictures[2].slide_duration = 1;
                   s.time_interval_ms = 4000;
                 },
                 {"0.000 5.250 slide 1 /pictures/1.jpg", "5.250 9.250 slide 2 /pictures/2.jpg",
                  "9.250 12.750 slide 3 /pictures/3.jpg"}},
        PlanCase{"MusicSpreadOverThePictures", 4,
                 [](ShowSettings& s) {
                   s.project.settings.enable_sync = true;
                   s.song_duration_total = 50;
                   s.project.pictures[0].slide_duration = 99;  // the music decides
                 },
                 {"0.000 12.500 slide 1 /pictures/1.jpg", "12.500 25.000 slide 2 /pictures/2.jpg",
                  "25.000 37.500 slide 3 /pictures/3.jpg", "37.500 50.000 slide 4 /pictures/4.jpg"}},
        PlanCase{"ShortMusicStillGivesTheLeastTime", 2,
                 [](ShowSettings& s) {
                   s.project.settings.enable_sync = true;
                   s.song_duration_total = 5;
                 },
                 {"0.000 3.500 slide 1 /pictures/1.jpg", "3.500 7.000 slide 2 /pictures/2.jpg"}},
        PlanCase{"TitlesAroundTheSlides", 2,
                 [](ShowSettings& s) {
                   s.project.settings.enable_opening = true;
                   s.project.settings.enable_ending = true;
                   s.opening_ms = 6000;
                   s.ending_ms = 5000;
                 },
                 {"0.000 6.000 opening ", "6.000 16.000 slide 1 /pictures/1.jpg",
                  "16.000 26.000 slide 2 /pictures/2.jpg", "26.000 31.000 ending "}},
        PlanCase{"TransitionIntoEverySlideButTheFirst", 3,
                 [](ShowSettings& s) {
                   s.project.settings.enable_transition = true;
                   s.project.settings.transitions.fill(false);
                   s.project.settings.transitions[15] = true;
                 },
                 {"0.000 10.000 slide 1 /pictures/1.jpg", "10.000 20.000 slide 2 /pictures/2.jpg",
                  "10.000 11.000 transition 15/0", "20.000 30.000 slide 3 /pictures/3.jpg",
                  "20.000 21.000 transition 15/0"}},
        PlanCase{"NoTransitionTickedIsACut", 2,
                 [](ShowSettings& s) {
                   s.project.settings.enable_transition = true;
                   s.project.settings.transitions.fill(false);
                 },
                 {"0.000 10.000 slide 1 /pictures/1.jpg", "10.000 20.000 slide 2 /pictures/2.jpg"}},
        PlanCase{"HeadlineAfterTheTransition", 2,
                 [](ShowSettings& s) {
                   ProjectSettings& p = s.project.settings;
                   p.enable_transition = true;
                   p.transitions.fill(false);
                   p.transitions[15] = true;
                   p.enable_headline_effect = true;
                   s.project.pictures[0].headline = QStringLiteral("一");
                   s.project.pictures[0].head_dynamic_style = kHeadlineWipe;
                   s.project.pictures[1].headline = QStringLiteral("二");
                   s.project.pictures[1].head_dynamic_style = kHeadlineFade;
                 },
                 {"0.000 10.000 slide 1 /pictures/1.jpg",
                  "0.000 " + Seconds(HeadlineDurationMs(kHeadlineWipe)) + " headline 1",
                  "10.000 20.000 slide 2 /pictures/2.jpg",
                  "10.000 " + Seconds(10000 + TransitionDurationMs(15)) + " transition 15/0",
                  Seconds(10000 + TransitionDurationMs(15)) + " " +
                      Seconds(10000 + TransitionDurationMs(15) + HeadlineDurationMs(kHeadlineFade)) + " headline 0"}},
        PlanCase{"HeadlinesOffShowNone", 1,
                 [](ShowSettings& s) { s.project.pictures[0].headline = QStringLiteral("一"); },
                 {"0.000 10.000 slide 1 /pictures/1.jpg"}}),
    [](const testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

TEST(ShowPlan, TheLogoOpensOnlyTheFirstCycle) {
  ShowSettings show = Show(1);
  ShowMaterial material = All(show);
  material.logo = true;
  QList<Kind> kinds;
  for (const ShowEvent& event : PlanShow(show, material, 1, 30)) kinds << event.kind;
  EXPECT_EQ(kinds, (QList<Kind>{Kind::kLogo, Kind::kSlide, Kind::kSlide, Kind::kSlide}));
}

TEST(ShowPlan, LeavesOutWhatCannotBeShownAndEndsWhenNothingCan) {
  ShowSettings show = Show(3);
  ShowMaterial material;
  material.pictures = {2};
  const QList<ShowEvent> events = PlanShow(show, material, 1, 25);
  ASSERT_EQ(events.size(), 3);
  for (const ShowEvent& event : events) EXPECT_EQ(event.picture, 2);

  EXPECT_TRUE(PlanShow(show, ShowMaterial{}, 1, 1000).isEmpty());
}

TEST(ShowPlan, SecondsCutTheTimelineAcrossCycles) {
  EXPECT_EQ(PlanLines(Show(2), 35.0), (Lines{"0.000 10.000 slide 1 /pictures/1.jpg", "10.000 20.000 slide 2 /pictures/2.jpg",
                                "20.000 30.000 slide 1 /pictures/1.jpg", "30.000 40.000 slide 2 /pictures/2.jpg"}));
}

// Every cycle shows every picture once, never the same one twice in a row (also across
// cycles), the same for the same seed and differently for another.
TEST(ShowPlan, RandomOrderIsAPermutationPerCycleWithoutRepeats) {
  ShowSettings show = Show(5);
  show.project.settings.play_photo_random = true;
  show.project.settings.enable_transition = true;
  for (quint32 seed = 0; seed < 40; ++seed) {
    ShowPlanner planner(show, All(show), seed);
    qint32 last = 0;
    for (int cycle = 0; cycle < 6; ++cycle) {
      QList<qint32> order;
      for (const ShowEvent& event : planner.NextCycle()) {
        if (event.kind == Kind::kSlide) order << event.picture;
      }
      ASSERT_EQ(QSet<qint32>(order.begin(), order.end()), (QSet<qint32>{1, 2, 3, 4, 5})) << seed;
      ASSERT_NE(order.first(), last) << "seed " << seed << " cycle " << cycle;
      last = order.last();
    }
  }
  EXPECT_EQ(PlanShow(show, All(show), 3, 200), PlanShow(show, All(show), 3, 200));
  EXPECT_NE(PlanShow(show, All(show), 3, 200), PlanShow(show, All(show), 4, 200));
}

TEST(ShowPlan, TransitionsComeFromTheTickedOnesWithTheirVariants) {
  ShowSettings show = Show(2);
  ProjectSettings& s = show.project.settings;
  s.enable_transition = true;
  s.transitions.fill(false);
  s.transitions[1] = s.transitions[9] = true;
  QSet<QString> seen;
  for (const ShowEvent& event : PlanShow(show, All(show), 11, 2000)) {
    if (event.kind != Kind::kTransition) continue;
    ASSERT_TRUE(event.position == 1 || event.position == 9);
    ASSERT_LT(event.variant, TransitionVariantCount(event.position));
    seen << QStringLiteral("%1/%2").arg(event.position).arg(event.variant);
  }
  EXPECT_EQ(seen.size(), 8);
}

}  // namespace
}  // namespace pivlo
