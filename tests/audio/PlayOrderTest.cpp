#include "audio/PlayOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pivlo {
namespace {

QList<qsizetype> Take(PlayOrder& order, int count) {
  QList<qsizetype> songs;
  for (int i = 0; i < count; ++i) songs << order.Next().value_or(-1);
  return songs;
}

TEST(PlayOrder, ListOrderStartsAgainAfterTheLastAndSkipsDroppedSongs) {
  PlayOrder order(3, MusicOrder::kListOrder, 1);
  EXPECT_EQ(Take(order, 4), (QList<qsizetype>{0, 1, 2, 0}));
  order.Drop(2);
  EXPECT_EQ(Take(order, 3), (QList<qsizetype>{1, 0, 1}));
  order.Drop(0);
  order.Drop(1);
  EXPECT_EQ(order.Next(), std::nullopt);
}

TEST(PlayOrder, ShuffledRoundsHoldEverySongOnceAndNeverRepeatASong) {
  for (quint32 seed = 0; seed < 20; ++seed) {
    PlayOrder order(4, MusicOrder::kShuffled, seed);
    const QList<qsizetype> songs = Take(order, 4 * 50);
    for (qsizetype round = 0; round < 50; ++round) {
      QList<qsizetype> sorted = songs.mid(round * 4, 4);
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(sorted, (QList<qsizetype>{0, 1, 2, 3})) << "seed " << seed << " round " << round;
    }
    for (qsizetype i = 1; i < songs.size(); ++i) ASSERT_NE(songs[i], songs[i - 1]) << "seed " << seed << " at " << i;
  }
}

TEST(PlayOrder, TheSeedDecidesTheOrder) {
  PlayOrder a(8, MusicOrder::kShuffled, 7);
  PlayOrder b(8, MusicOrder::kShuffled, 7);
  PlayOrder c(8, MusicOrder::kShuffled, 8);
  const QList<qsizetype> first = Take(a, 40);
  EXPECT_EQ(first, Take(b, 40));
  EXPECT_NE(first, Take(c, 40));
}

TEST(PlayOrder, ShuffledSkipsASongDroppedMidRound) {
  PlayOrder order(3, MusicOrder::kShuffled, 3);
  const qsizetype first = *order.Next();
  const qsizetype dropped = (first + 1) % 3;
  order.Drop(dropped);
  const QList<qsizetype> songs = Take(order, 20);
  EXPECT_FALSE(songs.contains(dropped));
  EXPECT_FALSE(songs.contains(-1));
}

TEST(PlayOrder, OneSongRepeatsItsPickAndPicksAnotherWhenItIsDropped) {
  QList<qsizetype> picks;
  for (quint32 seed = 0; seed < 10; ++seed) {
    PlayOrder order(5, MusicOrder::kOneSong, seed);
    const qsizetype pick = *order.Next();
    EXPECT_EQ(Take(order, 5), QList<qsizetype>(5, pick));
    picks << pick;
    order.Drop(pick);
    const qsizetype other = *order.Next();
    EXPECT_NE(other, pick);
    EXPECT_EQ(order.Next(), other);
  }
  std::sort(picks.begin(), picks.end());
  EXPECT_GT(std::unique(picks.begin(), picks.end()) - picks.begin(), 1) << "the pick depends on the seed";
}

TEST(PlayOrder, NoSongsGiveNothingAndUnknownOrdersPlayTheList) {
  PlayOrder none(0, MusicOrder::kShuffled, 1);
  EXPECT_EQ(none.Next(), std::nullopt);
  EXPECT_EQ(MusicOrderOf(1), MusicOrder::kShuffled);
  EXPECT_EQ(MusicOrderOf(2), MusicOrder::kOneSong);
  EXPECT_EQ(MusicOrderOf(0), MusicOrder::kListOrder);
  EXPECT_EQ(MusicOrderOf(7), MusicOrder::kListOrder);
}

}  // namespace
}  // namespace pivlo
