#pragma once

#include <QList>
#include <QtGlobal>

#include <functional>

namespace pivlo {

// Which rows of an ordered list are selected and which row is current, as the list's
// widget shows them. Its owner keeps the row count in step with the list. Rows are
// 0-based; -1 means none.
class ListSelection {
 public:
  qsizetype Count() const { return selected_.size(); }
  // The list now holds `count` rows, none selected, none current.
  void Reset(qsizetype count);
  // Rows added at the end, not selected.
  void Append(qsizetype rows);

  // Exactly these rows are selected (rows outside the list are ignored) and `current`
  // becomes current.
  void Select(const QList<qsizetype>& rows, qsizetype current);
  // That row alone is selected and current; nothing when it is outside the list.
  void SelectOnly(qsizetype row);

  bool IsSelected(qsizetype row) const;
  QList<qsizetype> SelectedRows() const;  // first to last
  qsizetype SelectedCount() const;
  qsizetype FirstSelected() const;
  bool AllSelected() const { return Count() > 0 && SelectedCount() == Count(); }
  qsizetype Current() const { return current_; }

  // Moves every selected row one place towards the top, the first selected first;
  // nothing with fewer than two rows or when the first row is selected. `exchange(row)`
  // swaps rows `row` and `row + 1` in the owner's lists; the selection and the current
  // row go with their rows. True when anything moved.
  bool MoveSelectedUp(const std::function<void(qsizetype row)>& exchange);
  // The mirror image: towards the end, the last selected first; nothing when the last
  // row is selected.
  bool MoveSelectedDown(const std::function<void(qsizetype row)>& exchange);

 private:
  bool Has(qsizetype row) const { return row >= 0 && row < Count(); }
  void Exchange(qsizetype row, const std::function<void(qsizetype)>& exchange);

  QList<bool> selected_;
  qsizetype current_ = -1;
};

}  // namespace pivlo
