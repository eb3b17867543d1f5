#include "media/SlideTimeDialogModel.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "core/SettingRules.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

// The translation context of the texts below.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::FrmSetSlideTime)
};

}  // namespace

bool SlideTimeDialogModel::CanOpen(const ProjectModel& model) {
  return !model.settings.enable_sync && !model.pictures.isEmpty();
}

SlideTimeDialogModel::SlideTimeDialogModel(ProjectModel& model, std::function<void(qsizetype)> mirror)
    : model_(model),
      mirror_(std::move(mirror)),
      time_text_(u"10"_s),
      average_label_(Texts::tr("歌曲时间长度：0秒")) {
  for (const ImageEntry& picture : model_.pictures) times_.append(picture.slide_duration);
  for (qsizetype row = 0; row < times_.size(); ++row) picture_lines_.append(PictureLine(row));
  for (const SongEntry& song : model_.songs) music_lines_.append(QFileInfo(song.file).fileName());
  if (music_lines_.isEmpty()) music_lines_.append(Texts::tr("无音乐"));
  pictures_.Reset(times_.size());
  songs_.Reset(model_.songs.size());
  SelectPictures({0}, 0);
}

QString SlideTimeDialogModel::TimeTextOf(qsizetype row) const {
  return times_[row] > 0 ? FloatToShortestText(times_[row]) : model_.settings.time_text;
}

QString SlideTimeDialogModel::PictureLine(qsizetype row) const {
  return QFileInfo(model_.pictures[row].file).fileName() + u": "_s + TimeTextOf(row) + u" 秒"_s;
}

void SlideTimeDialogModel::LeaveTimeBox() {
  time_text_ = NormalizeTimeIntervalText(time_text_, model_.settings.time_text);
}

void SlideTimeDialogModel::MirrorFirstSelected() {
  const qsizetype first = pictures_.FirstSelected();
  if (first < 0 || first == mirrored_) return;
  mirrored_ = first;
  if (mirror_) mirror_(first);
}

void SlideTimeDialogModel::SelectPictures(const QList<qsizetype>& rows, qsizetype clicked) {
  pictures_.Select(rows, clicked);
  MirrorFirstSelected();
  if (mode_ == Mode::Average) {
    ComputeAverage();
  } else if (pictures_.Current() >= 0) {
    time_text_ = TimeTextOf(pictures_.Current());
  }
}

void SlideTimeDialogModel::SelectSongs(const QList<qsizetype>& rows, qsizetype clicked) {
  songs_.Select(rows, clicked);
  if (mode_ == Mode::Average) ComputeAverage();
}

void SlideTimeDialogModel::ChooseSame() {
  mode_ = Mode::Same;
  const qsizetype first = pictures_.FirstSelected();
  if (first >= 0) time_text_ = TimeTextOf(first);
}

void SlideTimeDialogModel::ChooseAverage() {
  if (!AverageAvailable()) return;
  mode_ = Mode::Average;
  if (songs_.SelectedCount() == 0) songs_.SelectOnly(0);
  ComputeAverage();
}

void SlideTimeDialogModel::ComputeAverage() {
  const qsizetype song = songs_.FirstSelected();
  const float length = song >= 0 ? model_.songs[song].duration : 0.0f;
  const qsizetype count = pictures_.SelectedCount();
  if (count == 0) return;
  const auto average = float(RoundHalfEven(double(length) / double(count) * 1000.0) / 1000.0);
  time_text_ = FloatToShortestText(average);
  average_label_ = Texts::tr("图片 %1 张 * 平均时间: %2秒 = 歌曲长度: %3秒")
                       .arg(count)
                       .arg(time_text_, FloatToShortestText(length));
}

void SlideTimeDialogModel::Set() {
  LeaveTimeBox();
  const auto seconds = float(NumberFromText(time_text_).value_or(0));
  for (qsizetype row : pictures_.SelectedRows()) {
    times_[row] = seconds;
    picture_lines_[row] = PictureLine(row);
  }
}

void SlideTimeDialogModel::Save() {
  const qsizetype count = std::min(times_.size(), model_.pictures.size());
  for (qsizetype row = 0; row < count; ++row) model_.pictures[row].slide_duration = times_[row];
}

}  // namespace pivlo
