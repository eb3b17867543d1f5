#include "show/ShowExport.h"

#include "core/Events.h"
#include "core/FileReplacement.h"
#include "core/PathRules.h"
#include "core/basByteFiles.h"
#include "media/MusicListModel.h"
#include "media/PictureAdding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::ShowExport)
};

constexpr qint64 kCopyChunk = 1024 * 1024;  // window events run between chunks
constexpr int kMostNumberedNames = 9999;
constexpr int kMostFailuresShown = 10;       // the rest are counted, so the message fits the screen

bool IsExportType(const QString& type) {
  // FileTypeOfPath gives .jpeg and .tiff as PEG and IFF.
  return IsPictureFileType(type) || type == u"PEG" || type == u"IFF" || IsSongFileType(type) || type == u"LRC";
}

// "name (n).ext"; a name without a full stop, or with one only in front, gets " (n)" at the end.
QString NumberedName(const QString& name, int n) {
  const QString number = u" (%1)"_s.arg(n);
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot <= 0 ? name + number : name.left(dot) + number + name.mid(dot);
}

// Why a source could not be opened as a regular file for reading. Opening it again to
// ask would wait on a FIFO, so the answer comes from what the path is.
QString WhyNotOpened(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return u"no such file"_s;
  if (!info.isFile()) return u"not a regular file"_s;
  if (!info.isReadable()) return u"not readable"_s;
  return u"cannot be opened"_s;
}

// Creates the file under the name, or under the first numbered name free, in the folder.
// The system refuses to create over anything there (a file, a link), so an existing file
// is never opened, whatever appears meanwhile.
bool CreateNewFile(QFile& target, const QDir& folder, const QString& name, QString& why) {
  for (int n = 1; n <= kMostNumberedNames; ++n) {
    target.setFileName(folder.filePath(n == 1 ? name : NumberedName(name, n)));
    if (target.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) return true;
    const QFileInfo taken(target.fileName());
    if (!taken.exists() && !taken.isSymLink()) {
      why = u"cannot create "_s + target.fileName() + u": "_s + target.errorString();
      return false;
    }
  }
  why = u"no free name for "_s + name + u" in "_s + folder.path();
  return false;
}

// The bytes of the open source into the open target, flushed and synced; empty when
// done, else why not.
QString CopyBytes(QIODevice& source, QFile& target) {
  QByteArray buffer(kCopyChunk, Qt::Uninitialized);
  for (;;) {
    const qint64 got = source.read(buffer.data(), buffer.size());
    if (got < 0) return u"cannot read: "_s + source.errorString();
    if (got == 0) break;
    if (target.write(buffer.constData(), got) != got) {
      return u"cannot write "_s + target.fileName() + u": "_s + target.errorString();
    }
    ProcessPendingEvents();
  }
  if (!target.flush()) return u"cannot write "_s + target.fileName() + u": "_s + target.errorString();
  if (const QString reason = SyncToDisk(target); !reason.isEmpty()) {
    return u"cannot sync "_s + target.fileName() + u": "_s + reason;
  }
  return {};
}

// One file into the folder; empty when copied, else why not.
QString CopyOne(const QString& path, const QDir& folder, const MediaFiles* media) {
  const std::optional<QString> name = ExportFileName(path);
  if (!name) return u"no file name to copy it under"_s;
  QString why;
  const std::unique_ptr<QIODevice> source = OpenMediaFile(media, path, &why);
  if (!source) return media != nullptr && media->Holds(path) ? why : WhyNotOpened(path);
  QFile target;
  if (!CreateNewFile(target, folder, *name, why)) return why;
  why = CopyBytes(*source, target);
  target.close();
  if (!why.isEmpty()) QFile::remove(target.fileName());
  return why;
}

QString ResultText(const ExportResult& result) {
  if (result.failures.isEmpty()) return Texts::tr("已导出 %1 个文件。").arg(result.copied);
  QStringList lines = result.failures.mid(0, kMostFailuresShown);
  if (result.failures.size() > kMostFailuresShown) {
    lines << Texts::tr("另有 %1 个文件未能导出。").arg(result.failures.size() - kMostFailuresShown);
  }
  return Texts::tr("已导出 %1 个文件，以下文件未能导出：").arg(result.copied) + u'\n' + lines.join(u'\n');
}

}  // namespace

QStringList ExportFiles(const ShowSettings& show) {
  QStringList paths;
  for (const ImageEntry& picture : show.project.pictures) paths << picture.file;
  for (const SongEntry& song : show.project.songs) paths << song.file;
  paths << show.music_lyric_files;

  QStringList files;
  QSet<QString> seen;
  for (const QString& path : paths) {
    if (!IsPathSet(path) || !IsExportType(FileTypeOfPath(path)) || seen.contains(path)) continue;
    seen.insert(path);
    files << path;
  }
  return files;
}

bool ExportNeedsPassword(const ShowSettings& show) {
  return !show.project.settings.export_password.isEmpty();
}

bool ExportPasswordAccepted(const ShowSettings& show, const QString& typed) {
  return !ExportNeedsPassword(show) || typed == show.project.settings.export_password;
}

std::optional<QString> ExportFileName(const QString& path) {
  const QString name = path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
  if (name.isEmpty() || name == u"." || name == u"..") return std::nullopt;
  return name;
}

ExportResult CopyExportFiles(const QStringList& files, const QString& folder, Progress& progress,
                             const MediaFiles* media) {
  const QDir into(folder);
  ExportResult result;
  progress.InitProgress();
  for (qsizetype i = 0; i < files.size(); ++i) {
    progress.ShowProgress(float(i) * 100 / float(files.size()), ExportFileName(files[i]).value_or(files[i]));
    const QString why = CopyOne(files[i], into, media);
    if (why.isEmpty()) {
      ++result.copied;
    } else {
      result.failures << files[i] + u": "_s + why;
    }
  }
  progress.ShowProgress(100, {});
  progress.CloseProgress();
  return result;
}

ExportOutcome ExportWithQuestions(const ShowSettings& show, Prompter& prompter, Progress& progress) {
  if (!show.project.settings.enable_export) return ExportOutcome::kNotAllowed;
  const QString title = ExportTitle();
  if (ExportNeedsPassword(show)) {
    const std::optional<QString> typed = prompter.AskPassword(title, Texts::tr("请输入导出密码："));
    if (!typed) return ExportOutcome::kCancelled;
    if (!ExportPasswordAccepted(show, *typed)) {
      prompter.ShowMessage(Texts::tr("密码不正确，不能导出。"), MessageIcon::Warning, MessageButtons::Ok, title);
      return ExportOutcome::kWrongPassword;
    }
  }
  const QString folder = prompter.ChooseFolder(Texts::tr("选择导出到的文件夹"), QDir::homePath());
  if (folder.isEmpty()) return ExportOutcome::kCancelled;

  const ExportResult result = CopyExportFiles(ExportFiles(show), folder, progress, show.media.get());
  const bool all = result.failures.isEmpty();
  prompter.ShowMessage(ResultText(result), all ? MessageIcon::Information : MessageIcon::Warning,
                       MessageButtons::Ok, title);
  return all ? ExportOutcome::kCopied : ExportOutcome::kFailed;
}

QString ExportTitle() {
  return Texts::tr("导出图片和音乐");
}

QString ExportHintText() {
  return Texts::tr("按 E 键导出图片和音乐");
}

}  // namespace pivlo
