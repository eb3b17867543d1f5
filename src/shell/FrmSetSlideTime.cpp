#include "shell/FrmSetSlideTime.h"

#include "shell/NumberKeyFilter.h"
#include "shell/SystemLook.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pivlo {

FrmSetSlideTime::FrmSetSlideTime(ProjectModel& model, std::function<void(qsizetype)> mirror, QWidget* owner)
    : QDialog(owner), state_(model, std::move(mirror)) {
  setObjectName(QStringLiteral("FrmSetSlideTime"));
  ApplyOwnerLook(*this);
  setWindowTitle(tr("设置图片的持续/间隔时间"));
  resize(560, 420);

  ImgList = new QListWidget(this);
  ImgList->setObjectName(QStringLiteral("ImgList"));
  ImgList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  MusicList = new QListWidget(this);
  MusicList->setObjectName(QStringLiteral("MusicList"));
  MusicList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  OptSame = new QRadioButton(tr("为选定的图片设置持续/间隔时间"), this);
  OptAverage = new QRadioButton(tr("根据选定的歌曲为选定的图片计算一个平均时间"), this);
  auto* modes = new QButtonGroup(this);
  modes->addButton(OptSame);
  modes->addButton(OptAverage);
  TxtTime = new QLineEdit(this);
  TxtTime->setObjectName(QStringLiteral("TxtTime"));
  TxtTime->setFixedWidth(64);
  FilterNumberKeys(TxtTime, true);
  LblAverage = new QLabel(tr("歌曲时间长度：0秒"), this);
  LblAverage->setObjectName(QStringLiteral("LblAverage"));
  auto* save = new QPushButton(tr(" 保存 "), this);
  auto* cancel = new QPushButton(tr(" 取消 "), this);
  auto* set = new QPushButton(tr(" 设置 "), this);
  set->setToolTip(tr("将时间应用到已选择的图片"));

  auto* lists = new QGridLayout();
  lists->addWidget(new QLabel(tr("图片："), this), 0, 0);
  lists->addWidget(new QLabel(tr("音乐："), this), 0, 1);
  lists->addWidget(ImgList, 1, 0);
  lists->addWidget(MusicList, 1, 1);
  lists->setColumnStretch(0, 3);
  lists->setColumnStretch(1, 2);
  auto* time_row = new QHBoxLayout();
  time_row->addWidget(TxtTime);
  time_row->addWidget(new QLabel(tr("秒"), this));
  time_row->addWidget(set);
  time_row->addSpacing(12);
  time_row->addWidget(new QLabel(tr("注意：最少3.5秒"), this));
  time_row->addStretch(1);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(new QLabel(tr("按住Shift或Ctrl键可多选"), this));
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addWidget(OptSame);
  layout->addWidget(OptAverage);
  layout->addLayout(time_row);
  layout->addWidget(LblAverage);
  layout->addLayout(buttons);

  connect(ImgList, &QListWidget::itemSelectionChanged, this, [this] {
    if (showing_) return;
    state_.SelectPictures(SelectedRows(ImgList), ImgList->currentRow());
    ShowState();
  });
  connect(MusicList, &QListWidget::itemSelectionChanged, this, [this] {
    if (showing_) return;
    state_.SelectSongs(SelectedRows(MusicList), MusicList->currentRow());
    ShowState();
  });
  connect(OptSame, &QRadioButton::clicked, this, [this] {
    state_.ChooseSame();
    ShowState();
  });
  connect(OptAverage, &QRadioButton::clicked, this, [this] {
    state_.ChooseAverage();
    ShowState();
  });
  connect(TxtTime, &QLineEdit::textEdited, this, [this](const QString& text) { state_.SetTimeText(text); });
  connect(TxtTime, &QLineEdit::editingFinished, this, [this] {
    state_.LeaveTimeBox();
    ShowState();
  });
  connect(set, &QPushButton::clicked, this, [this] {
    state_.SetTimeText(TxtTime->text());
    state_.Set();
    ShowState();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    state_.Save();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  ImgList->addItems(state_.PictureLines());
  MusicList->addItems(state_.MusicLines());
  OptAverage->setEnabled(state_.AverageAvailable());
  OptSame->setChecked(true);
  ShowState();
}

QList<qsizetype> FrmSetSlideTime::SelectedRows(const QListWidget* list) {
  QList<qsizetype> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows << index.row();
  return rows;
}

void FrmSetSlideTime::ShowState() {
  showing_ = true;
  const QStringList& lines = state_.PictureLines();
  for (int i = 0; i < ImgList->count() && i < lines.size(); ++i) ImgList->item(i)->setText(lines.at(i));
  for (int i = 0; i < ImgList->count(); ++i) ImgList->item(i)->setSelected(state_.PictureSelection().IsSelected(i));
  for (int i = 0; i < MusicList->count(); ++i) MusicList->item(i)->setSelected(state_.SongSelection().IsSelected(i));
  MusicList->setEnabled(state_.MusicListEnabled());
  LblAverage->setVisible(state_.AverageLabelVisible());
  LblAverage->setText(state_.AverageLabel());
  if (TxtTime->text() != state_.TimeText()) TxtTime->setText(state_.TimeText());
  showing_ = false;
}

}  // namespace pivlo
