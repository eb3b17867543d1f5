#include "core/ListSelection.h"

#include <algorithm>

namespace pivlo {

void ListSelection::Reset(qsizetype count) {
  selected_.fill(false, std::max<qsizetype>(count, 0));
  current_ = -1;
}

void ListSelection::Append(qsizetype rows) {
  if (rows > 0) selected_.resize(Count() + rows, false);
}

void ListSelection::Select(const QList<qsizetype>& rows, qsizetype current) {
  selected_.fill(false);
  for (qsizetype row : rows) {
    if (Has(row)) selected_[row] = true;
  }
  current_ = Has(current) ? current : -1;
}

void ListSelection::SelectOnly(qsizetype row) {
  if (Has(row)) Select({row}, row);
}

bool ListSelection::IsSelected(qsizetype row) const {
  return Has(row) && selected_[row];
}

QList<qsizetype> ListSelection::SelectedRows() const {
  QList<qsizetype> rows;
  for (qsizetype row = 0; row < Count(); ++row) {
    if (selected_[row]) rows.append(row);
  }
  return rows;
}

qsizetype ListSelection::SelectedCount() const {
  return selected_.count(true);
}

qsizetype ListSelection::FirstSelected() const {
  return selected_.indexOf(true);
}

void ListSelection::Exchange(qsizetype row, const std::function<void(qsizetype)>& exchange) {
  exchange(row);
  std::swap(selected_[row], selected_[row + 1]);
  if (current_ == row) {
    current_ = row + 1;
  } else if (current_ == row + 1) {
    current_ = row;
  }
}

bool ListSelection::MoveSelectedUp(const std::function<void(qsizetype)>& exchange) {
  if (Count() < 2 || selected_.first()) return false;
  bool moved = false;
  for (qsizetype row = 1; row < Count(); ++row) {
    if (!selected_[row]) continue;
    Exchange(row - 1, exchange);
    moved = true;
  }
  return moved;
}

bool ListSelection::MoveSelectedDown(const std::function<void(qsizetype)>& exchange) {
  if (Count() < 2 || selected_.last()) return false;
  bool moved = false;
  for (qsizetype row = Count() - 2; row >= 0; --row) {
    if (!selected_[row]) continue;
    Exchange(row, exchange);
    moved = true;
  }
  return moved;
}

}  // namespace pivlo
