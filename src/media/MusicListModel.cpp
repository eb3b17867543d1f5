#include "media/MusicListModel.h"

#include "core/ListBusyScope.h"
#include "core/PathRules.h"
#include "media/SongDuration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

// The translation context of the texts below.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::MusicList)
};

constexpr qsizetype kShortestSongPath = 7;  // shorter paths are no song

bool IsFile(const QString& path) {
  return QFileInfo(path).isFile();
}

bool SameTitle(const QString& a, const QString& b) {
  return FileTitle(a).compare(FileTitle(b), Qt::CaseInsensitive) == 0;
}

bool IsDroppableSong(const QString& path) {
  return path.size() > 4 && path.at(path.size() - 4) == u'.' && IsSongFileType(FileTypeOfPath(path));
}

FileDialogOptions SongDialog(const QString& start_folder) {
  return MultipleFilesDialog(Texts::tr("添加音乐文件"),
                             {{Texts::tr("所有可支持格式"), u"*.Mid *.Wav *.Mp3 *.Wma"_s},
                              {Texts::tr("Mpeg音频文件(*.Mp3)"), u"*.Mp3"_s},
                              {Texts::tr("Windows Media 音频文件(*.Wma)"), u"*.Wma"_s},
                              {Texts::tr("波形文件(*.Wav)"), u"*.Wav"_s},
                              {Texts::tr("MIDI文件(*.Mid)"), u"*.Mid"_s}},
                             start_folder);
}

}  // namespace

bool IsSongFileType(const QString& type) {
  static const QStringList kTypes = {u"MP3"_s, u"WAV"_s, u"MID"_s, u"WMA"_s};
  return kTypes.contains(type);
}

void MeasureSongsOnRead(ProjectModel& model) {
  model.measure_song = [](const QString& path) { return MeasureSong(path, 0); };
}

MusicListModel::MusicListModel(ProjectModel& model, Prompter& prompter, Progress& progress)
    : model_(model), prompter_(prompter), progress_(progress) {
  MeasureSongsOnRead(model_);
  SongsReloaded();
}

void MusicListModel::AddSongFiles() {
  if (Busy()) return;
  const QStringList chosen = prompter_.GetOpenFileNames(SongDialog(last_music_folder_));
  if (chosen.isEmpty()) return;
  AddSongs(chosen);
  last_music_folder_ = QFileInfo(chosen.last()).absolutePath();
}

void MusicListModel::AddDroppedSongs(const QStringList& paths) {
  QStringList songs = paths;
  songs.removeIf([](const QString& path) { return !IsDroppableSong(path); });
  if (!songs.isEmpty()) AddSongs(songs);
}

qsizetype MusicListModel::AddSongs(const QStringList& paths) {
  if (Busy()) return 0;
  ListSelection& selection = Selection();
  const qsizetype before = SongCount();
  QString refused;
  {
    ListBusyScope busy(model_.flags);
    progress_.SetWaitCursor(true);
    const bool show_progress = paths.size() > 1;
    if (show_progress) progress_.InitProgress();
    for (qsizetype i = 0; i < paths.size(); ++i) {
      const QString& path = paths[i];
      if (path.size() >= kShortestSongPath && !HasSong(path)) {
        const float seconds = MeasureNewSong(path);
        if (seconds < 0) {
          if (IsFile(path)) refused = path;
        } else {
          model_.AddSong(path, seconds);
          selection.Append(1);
          const QString lyric = FindLyricFile(path);
          if (!lyric.isEmpty()) model_.lyric_files.append(lyric);
        }
      }
      if (show_progress) progress_.ShowProgress(float(i + 1) / float(paths.size()) * 100.0f, QString());
    }
    if (show_progress) progress_.CloseProgress();
    progress_.SetWaitCursor(false);
    if (!refused.isEmpty()) {
      prompter_.ShowMessage(Texts::tr("不支持这个音乐文件！或这是一种不支持的特殊动态码率格式，要添加这个文件，请先使用"
                                      "其他音乐编辑软件将其转换为正常恒定码率的MP3或WMA") +
                                u'\r' + QDir::toNativeSeparators(refused),
                            MessageIcon::Information);
    }
  }
  return SongCount() - before;
}

bool MusicListModel::HasSong(const QString& path) const {
  for (const SongEntry& song : model_.songs) {
    if (song.file.compare(path, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

QString MusicListModel::FindLyricFile(const QString& song) const {
  QString beside = song;
  beside.chop(3);
  beside += u"lrc"_s;
  if (IsFile(beside)) return beside;
  const QString& folder = model_.settings.lyric_folder;
  if (!folder.isEmpty() && QDir::isAbsolutePath(folder)) {
    const QString in_folder = QDir(folder).filePath(FileTitle(song) + u".lrc"_s);
    if (IsFile(in_folder)) return in_folder;
  }
  return QString();
}

bool MusicListModel::IsLyricListed(const QString& path) const {
  return model_.lyric_files.contains(path, Qt::CaseInsensitive);
}

void MusicListModel::RescanLyrics() {
  if (model_.songs.isEmpty()) return;
  const QStringList listed = model_.lyric_files;
  for (const SongEntry& song : model_.songs) {
    const QString lyric = FindLyricFile(song.file);
    if (lyric.isEmpty() || IsLyricListed(lyric)) continue;
    const bool title_listed =
        std::any_of(listed.begin(), listed.end(), [&](const QString& other) { return SameTitle(other, lyric); });
    if (!title_listed) model_.lyric_files.append(lyric);
  }
}

void MusicListModel::ChooseLyricFolder() {
  if (Busy()) return;
  QString folder = prompter_.ChooseFolder(Texts::tr("请选择一个目录让程序寻找歌词文件"), model_.last_chosen_folder);
  if (folder.isEmpty()) return;
  if (!folder.endsWith(u'/')) folder += u'/';
  model_.last_chosen_folder = folder;
  model_.settings.lyric_folder = folder;
  RescanLyrics();
}

QString MusicListModel::LyricFolderLabel() const {
  const QString& folder = model_.settings.lyric_folder;
  return folder.isEmpty() ? Texts::tr("指定歌词目录：") : QDir::toNativeSeparators(folder);
}

QString MusicListModel::LyricListHint() const {
  return model_.songs.isEmpty() ? Texts::tr("你尚未添加任何歌曲文件")
                                : Texts::tr("点击右上方小按钮可指定一个歌词目录，让程序自动寻找歌词文件");
}

void MusicListModel::DeleteSelectedSongs() {
  if (Busy()) return;
  ListSelection& selection = Selection();
  if (selection.SelectedCount() == 0) return;
  if (selection.AllSelected()) {
    ClearSongs(true);
    return;
  }
  model_.RemoveSongs(selection.SelectedRows());
  SongsReloaded();
}

void MusicListModel::MoveSelectedUp() {
  if (Busy()) return;
  Selection().MoveSelectedUp([this](qsizetype row) { model_.songs.swapItemsAt(row, row + 1); });
}

void MusicListModel::MoveSelectedDown() {
  if (Busy()) return;
  Selection().MoveSelectedDown([this](qsizetype row) { model_.songs.swapItemsAt(row, row + 1); });
}

void MusicListModel::ClearSongs(bool silent) {
  if (model_.songs.isEmpty() || (!silent && Busy())) return;
  if (!silent && prompter_.ShowMessage(Texts::tr("你确定要从列表中清空所有音乐文件吗？"), MessageIcon::Information,
                                       MessageButtons::OkCancel) != MessageAnswer::Ok) {
    return;
  }
  model_.ClearSongs();
  selection_.Reset(0);
}

ListSelection& MusicListModel::Selection() {
  if (selection_.Count() != SongCount()) SongsReloaded();
  return selection_;
}

void MusicListModel::SongsReloaded() {
  selection_.Reset(SongCount());
  selection_.SelectOnly(0);
}

}  // namespace pivlo
