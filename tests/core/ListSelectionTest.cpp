#include "core/ListSelection.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

// A list of letters with its selection; moves exchange the letters as an owner would.
struct Letters {
  explicit Letters(const QString& letters, const QList<qsizetype>& selected, qsizetype current) {
    for (QChar c : letters) items << QString(c);
    selection.Reset(items.size());
    selection.Select(selected, current);
  }
  QString Text() const { return items.join(QString()); }
  std::function<void(qsizetype)> Exchange() {
    return [this](qsizetype row) {
      exchanged << row;
      items.swapItemsAt(row, row + 1);
    };
  }
  QStringList items;
  ListSelection selection;
  QList<qsizetype> exchanged;
};

TEST(ListSelection, MoveUpTakesEverySelectedRowOnePlaceAndTheSelectionWithIt) {
  struct Case {
    const char* letters;
    QList<qsizetype> selected;
    qsizetype current;
    const char* after;
    QList<qsizetype> selected_after;
    qsizetype current_after;
    QList<qsizetype> exchanged;
  };
  const Case cases[] = {
      {"abcde", {2}, 2, "acbde", {1}, 1, {1}},
      {"abcde", {2, 3}, 3, "acdbe", {1, 2}, 2, {1, 2}},       // a block moves as one
      {"abcde", {1, 3}, 0, "badce", {0, 2}, 1, {0, 2}},       // the current row follows its row
      {"abcde", {0, 3}, 3, "abcde", {0, 3}, 3, {}},           // the first row is selected
      {"abcde", {}, -1, "abcde", {}, -1, {}},
      {"a", {0}, 0, "a", {0}, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.letters + QString::number(c.selected.value(0)).toStdString());
    Letters list(QString::fromLatin1(c.letters), c.selected, c.current);
    EXPECT_EQ(list.selection.MoveSelectedUp(list.Exchange()), !c.exchanged.isEmpty());
    EXPECT_EQ(list.Text(), QString::fromLatin1(c.after));
    EXPECT_EQ(list.selection.SelectedRows(), c.selected_after);
    EXPECT_EQ(list.selection.Current(), c.current_after);
    EXPECT_EQ(list.exchanged, c.exchanged);
  }
}

TEST(ListSelection, MoveDownIsTheMirrorImage) {
  Letters block(QStringLiteral("abcde"), {1, 2}, 1);
  EXPECT_TRUE(block.selection.MoveSelectedDown(block.Exchange()));
  EXPECT_EQ(block.Text(), QStringLiteral("adbce"));
  EXPECT_EQ(block.selection.SelectedRows(), (QList<qsizetype>{2, 3}));
  EXPECT_EQ(block.selection.Current(), 2);
  EXPECT_EQ(block.exchanged, (QList<qsizetype>{2, 1}));  // the last selected first

  Letters last(QStringLiteral("abcde"), {1, 4}, 4);
  EXPECT_FALSE(last.selection.MoveSelectedDown(last.Exchange()));
  EXPECT_EQ(last.Text(), QStringLiteral("abcde"));
}

TEST(ListSelection, KeepsToTheRowsOfItsList) {
  ListSelection selection;
  selection.Reset(3);
  selection.Select({-1, 1, 2, 3, 7}, 9);
  EXPECT_EQ(selection.SelectedRows(), (QList<qsizetype>{1, 2}));
  EXPECT_EQ(selection.Current(), -1);
  EXPECT_FALSE(selection.AllSelected());
  selection.Append(2);
  EXPECT_EQ(selection.Count(), 5);
  EXPECT_EQ(selection.SelectedCount(), 2);
  EXPECT_EQ(selection.FirstSelected(), 1);
  selection.SelectOnly(5);  // outside: nothing changes
  EXPECT_EQ(selection.SelectedCount(), 2);
  selection.SelectOnly(4);
  EXPECT_EQ(selection.SelectedRows(), (QList<qsizetype>{4}));
  EXPECT_EQ(selection.Current(), 4);
  selection.Select({0, 1, 2, 3, 4}, 0);
  EXPECT_TRUE(selection.AllSelected());
  selection.Reset(0);
  EXPECT_FALSE(selection.AllSelected());
  EXPECT_EQ(selection.FirstSelected(), -1);
}

}  // namespace
}  // namespace pivlo
