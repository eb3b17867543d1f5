#include "audio/PlayOrder.h"

#include <algorithm>

namespace pivlo {

MusicOrder MusicOrderOf(qint32 value) {
  switch (value) {
    case 1: return MusicOrder::kShuffled;
    case 2: return MusicOrder::kOneSong;
    default: return MusicOrder::kListOrder;
  }
}

PlayOrder::PlayOrder(qsizetype count, MusicOrder order, quint32 seed) : order_(order), random_(seed) {
  for (qsizetype i = 0; i < count; ++i) left_ << i;
  if (order_ == MusicOrder::kOneSong) Pick();
}

void PlayOrder::Pick() {
  picked_ = left_.isEmpty() ? -1 : left_[qsizetype(random_.bounded(quint32(left_.size())))];
}

void PlayOrder::Shuffle() {
  round_ = left_;
  for (qsizetype i = round_.size() - 1; i > 0; --i) {
    round_.swapItemsAt(i, qsizetype(random_.bounded(quint32(i + 1))));
  }
  // The round boundary too never repeats the song just heard.
  if (round_.size() > 1 && round_.first() == last_) {
    round_.swapItemsAt(0, 1 + qsizetype(random_.bounded(quint32(round_.size() - 1))));
  }
}

std::optional<qsizetype> PlayOrder::Next() {
  if (left_.isEmpty()) return std::nullopt;
  switch (order_) {
    case MusicOrder::kListOrder: {
      // The first song not dropped at or after the cursor, wrapping round.
      const auto it = std::lower_bound(left_.begin(), left_.end(), next_);
      last_ = it != left_.end() ? *it : left_.first();
      next_ = last_ + 1;
      break;
    }
    case MusicOrder::kShuffled:
      if (round_.isEmpty()) Shuffle();
      last_ = round_.takeFirst();
      break;
    case MusicOrder::kOneSong:
      last_ = picked_;
      break;
  }
  return last_;
}

void PlayOrder::Drop(qsizetype index) {
  left_.removeOne(index);
  round_.removeOne(index);
  if (order_ == MusicOrder::kOneSong && index == picked_) Pick();
}

}  // namespace pivlo
