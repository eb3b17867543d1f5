#pragma once

// The order songs play in (PlayMusicOrder), with seeded randomness so that a show and its
// offline render hear the same songs.

#include <QList>
#include <QRandomGenerator>
#include <QtGlobal>

#include <optional>

namespace pivlo {

enum class MusicOrder {
  kListOrder = 0,  // the list's order, starting again after the last
  kShuffled = 1,   // a new shuffle each round, never the same song twice in a row
  kOneSong = 2,    // one song picked at random at the start, repeated
};

// The order for a stored PlayMusicOrder value; an unknown value plays in list order.
MusicOrder MusicOrderOf(qint32 value);

class PlayOrder {
 public:
  PlayOrder(qsizetype count, MusicOrder order, quint32 seed);
  // The next song's 0-based index; nothing once every song is dropped.
  std::optional<qsizetype> Next();
  // Leaves a song out from now on (it cannot be played). With one song picked at random,
  // dropping it picks another.
  void Drop(qsizetype index);

 private:
  void Pick();
  void Shuffle();

  MusicOrder order_;
  QRandomGenerator random_;
  QList<qsizetype> left_;   // the songs not dropped, in list order
  QList<qsizetype> round_;  // shuffled: the rest of this round, next first
  qsizetype next_ = 0;      // list order: where to look for the next song
  qsizetype picked_ = -1;   // one song: the pick
  qsizetype last_ = -1;     // the song given last
};

}  // namespace pivlo
