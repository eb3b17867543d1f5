#include "builder/MediaPacking.h"

#include "core/FileReplacement.h"
#include "core/MediaFiles.h"
#include "core/PathRules.h"
#include "core/basPropertyBag.h"
#include "media/basGdiPlus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::MediaPacking)
};

// The song each lyric file belongs to, as the package pairs them: the first song of the
// same title, ignoring case. The lyric files no song takes are dropped.
void KeepPairedLyrics(ProjectModel& project) {
  QStringList paired;
  for (const QString& lyric : project.lyric_files) {
    const QString title = FileTitle(lyric).toUpper();
    const bool taken = std::any_of(project.songs.cbegin(), project.songs.cend(),
                                   [&](const SongEntry& song) { return FileTitle(song.file).toUpper() == title; });
    if (taken) paired << lyric;
  }
  project.lyric_files = paired;
}

class Packer {
 public:
  Packer(QString spool, Progress& progress, qsizetype pictures)
      : spool_(std::move(spool)), progress_(progress), pictures_(pictures) {}

  // Renames the path to its item; false when a conversion cannot be spooled.
  bool Pack(QString& path, bool picture) {
    if (picture) {
      ++converted_;
      progress_.ShowProgress(float(converted_) * 100 / float(pictures_),
                             Texts::tr("正在转换图片 %1/%2").arg(converted_).arg(pictures_));
    }
    if (!IsPathSet(path) || !QFileInfo(path).isFile()) return true;
    if (const auto known = packed_.constFind(path); known != packed_.cend()) {
      path = *known;
      return true;
    }
    QString source = path;
    QString name = QFileInfo(path).fileName();
    const qint32 number = qint32(packed_.size()) + 1;
    if (picture) {
      const PreparedPicture prepared = PreparePictureBytes(path);
      if (prepared.used) {
        name = FileTitle(path) + u'.' + prepared.format.toLower();
        source = QDir(spool_).filePath(QString::number(number) + u'.' + prepared.format.toLower());
        QString why;
        if (!ReplaceFileContents(source, prepared.bytes, &why)) return Fail(source + u": cannot be written: "_s + why);
      }
    }
    if (!PutValue(MediaItemName(number), source, PutMode::RegisterFile)) return Fail(source + u": cannot be read"_s);
    const QString held = HeldMediaPath(number, name);
    packed_.insert(path, held);
    path = held;
    return true;
  }

  const QString& Error() const { return error_; }

 private:
  bool Fail(const QString& why) {
    error_ = why;
    return false;
  }

  QString spool_;
  Progress& progress_;
  qsizetype pictures_;
  qsizetype converted_ = 0;  // pictures seen
  QHash<QString, QString> packed_;  // a file's path and the name it is held under
  QString error_;
};

}  // namespace

bool PackMediaFiles(ProjectModel& project, const QString& spool, Progress& progress, QString* error) {
  KeepPairedLyrics(project);
  ProjectSettings& s = project.settings;
  QList<QString*> pictures;
  for (ImageEntry& entry : project.pictures) pictures << &entry.file;
  // The background picture only where the show paints it.
  if (s.background_kind == u"3") pictures << &s.background_picture;
  for (QString* path : {&s.opening_image, &s.ending_image, &s.logo_image}) pictures << path;
  pictures.removeIf([](const QString* path) { return !IsPathSet(*path); });
  progress.InitProgress();
  Packer packer(spool, progress, pictures.size());
  bool packed = std::all_of(pictures.begin(), pictures.end(), [&](QString* path) { return packer.Pack(*path, true); });
  for (SongEntry& song : project.songs) packed = packed && packer.Pack(song.file, false);
  for (QString& lyric : project.lyric_files) packed = packed && packer.Pack(lyric, false);
  progress.CloseProgress();
  if (!packed && error) *error = packer.Error();
  return packed;
}

}  // namespace pivlo
