#include "builder/PackageWriter.h"

#include "builder/BuildPipeline.h"
#include "builder/HeadScramble.h"
#include "builder/ScreensaverPackage.h"
#include "builder/basResourcePackages.h"
#include "core/PathRules.h"
#include "core/ProjectBag.h"
#include "core/ProjectKeys.h"
#include "core/basByteFiles.h"
#include "core/basPropertyBag.h"
#include "media/SlideTiming.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::PackageWriter)
};

constexpr qint64 kLargestSection = std::numeric_limits<qint32>::max();

void WriteLyricPairs(const ProjectModel& model) {
  for (const QString& lyric : model.lyric_files) {
    const QString title = FileTitle(lyric).toUpper();
    for (qsizetype j = 0; j < model.songs.size(); ++j) {
      if (FileTitle(model.songs[j].file).toUpper() != title) continue;
      PutValue(IndexedKey(u"MusicLyricFiles("_s, j + 1), lyric);
      break;
    }
  }
}

// Appends items back to back behind the player, each with its head scrambled, and puts
// their keys into the shared bag. The first failure is kept with its reason.
class BlobWriter {
 public:
  BlobWriter(QFile& file, qint64 start, Progress& progress) : file_(file), start_(start), progress_(progress) {}

  // The whole blob is `total` bytes: refused at once when past 2 GiB.
  bool Expect(qint64 total) {
    total_ = total;
    if (total > kLargestSection) {
      return Fail(Texts::tr("图片和音乐共 %1 MB，超过了屏保文件 2048 MB 的上限，请减少图片或音乐").arg(MegabyteText(total)));
    }
    return true;
  }

  bool Append(const QString& name, QByteArray bytes) {
    if (length_ + bytes.size() > kLargestSection) return Fail(name + u": the package would pass 2 GiB"_s);
    ScrambleHead(bytes);
    if (!Write(bytes, start_ + length_)) return false;
    PutValue(ItemOffsetKey(name), qint32(length_));
    PutValue(ItemSizeKey(name), qint32(bytes.size()));
    length_ += bytes.size();
    if (total_ > 0) {
      progress_.ShowProgress(float(length_) * 100 / float(total_),
                             Texts::tr("正在写入 %1 MB / %2 MB").arg(MegabyteText(length_), MegabyteText(total_)));
    }
    return true;
  }

  bool Write(const QByteArray& bytes, qint64 offset) {
    if (bytes.isEmpty() || WriteFileBytes(bytes, file_, offset)) return true;
    return Fail(file_.fileName() + u": cannot write: "_s + file_.errorString());
  }

  bool Fail(const QString& why) {
    if (error_.isEmpty()) error_ = why;
    return false;
  }

  qint64 Length() const { return length_; }
  const QString& Error() const { return error_; }

 private:
  QFile& file_;
  qint64 start_;
  Progress& progress_;
  qint64 total_ = 0;
  qint64 length_ = 0;
  QString error_;
};

bool WriteBlob(BlobWriter& blob, const ProjectModel& model, bool direct3d_ready) {
  const std::optional<QByteArray> texture = ReadPackageEntry(u"rainbow.jpg"_s);
  const bool frame = direct3d_ready && model.settings.picture_frame_num != 0 && !model.frame_picture.isEmpty();
  qint64 total = (texture ? texture->size() : 0) + (frame ? model.frame_picture.size() : 0);
  for (const RegisteredFile& registered : RegisteredFiles()) total += registered.length;
  if (!blob.Expect(total)) return false;
  if (texture && !blob.Append(TextureItemName(), *texture)) return false;
  if (frame && !blob.Append(FrameItemName(), model.frame_picture)) return false;
  for (const RegisteredFile& registered : RegisteredFiles()) {
    // The item is the file as it was registered; a file changed since would not match
    // the size its keys give.
    QByteArray bytes;
    const qint64 read = registered.length == 0 ? 0 : ReadFileBytes(bytes, registered.path, 0, -1);
    if (read != registered.length) return blob.Fail(registered.path + u": cannot be read, or changed since it was added"_s);
    if (!blob.Append(registered.name, bytes)) return false;
    PutValue(ItemTypeKey(registered.name), FileTypeOfPath(registered.path));
  }
  return true;
}

bool WriteBlobBagAndTrailer(const QString& path, const ProjectModel& model, bool direct3d_ready, Progress& progress,
                            qint64& stub, qint64& blob_length, qint64& bag_length, QString& error) {
  QFile file(path);
  if (!file.exists() || !file.open(QIODevice::ReadWrite)) {
    error = path + u": cannot be opened: "_s + file.errorString();
    return false;
  }
  stub = file.size();
  BlobWriter blob(file, stub, progress);
  const bool written = [&] {
    if (stub > kLargestSection) return blob.Fail(path + u": the player is larger than 2 GiB"_s);
    if (!WriteBlob(blob, model, direct3d_ready)) return false;
    blob_length = blob.Length();
    const QByteArray bag = SharedBag().Contents();
    SharedBag().Clear();
    bag_length = bag.size();
    if (bag_length > kLargestSection) return blob.Fail(path + u": the settings are larger than 2 GiB"_s);
    const QByteArray trailer = PackageTrailerBytes(qint32(stub), qint32(blob_length), qint32(bag_length));
    return blob.Write(bag, stub + blob_length) && blob.Write(trailer, stub + blob_length + bag_length);
  }();
  error = blob.Error();
  return written;
}

}  // namespace

void WritePackageSettings(ProjectModel& model) {
  WriteProjectToBag(model);
  PutValue(u"OrigScreenWidth"_s, model.screen_width);
  PutValue(u"OrigScreenHeight"_s, model.screen_height);
  WriteLyricPairs(model);
  // A synchronised show always has a total of at least 1 second.
  const qint32 total = TotalSongSeconds(model);
  PutValue(u"SongDurationTotal"_s, total != 0 ? BagValue(total) : BagValue(qint16(0)));
  PutValue(u"ResFileSize"_s, qint16(0));
}

bool WriteResourcesAndSettings(const QString& path, const ProjectModel& model, bool direct3d_ready,
                               Prompter& prompter, QString* error, Progress* progress) {
  qint64 stub = 0;
  qint64 blob = 0;
  qint64 bag = 0;
  QString reason;
  Progress quiet;
  Progress& shown = progress != nullptr ? *progress : quiet;
  shown.InitProgress();
  const bool written = WriteBlobBagAndTrailer(path, model, direct3d_ready, shown, stub, blob, bag, reason);
  shown.CloseProgress();
  SharedBag().Clear();
  if (!written) {
    if (error) *error = reason;
    return false;
  }
  if (VerifyPackage(path, stub, blob, bag)) return true;
  prompter.ShowMessage(RestrictedFolderText(path), MessageIcon::Warning);
  return false;
}

bool VerifyPackage(const QString& path, qint64 stub, qint64 blob, qint64 bag) {
  const QFileInfo info(path);
  if (!info.isFile() || info.size() != stub + blob + bag + kPackageTrailerLength) return false;
  QByteArray mark;
  return ReadFileBytes(mark, path, info.size() - 4, 4) == 4 && mark == PackageTrailerMark();
}

QString RestrictedFolderText(const QString& path) {
  const QString native = QDir::toNativeSeparators(path);
  const qsizetype cut = qMax(native.lastIndexOf(QDir::separator()), native.lastIndexOf(u':'));
  return native.left(cut + 1) + u'\r' +
         Texts::tr("该目录可能受限制（例如反病毒软件或其他保护性软件），无法正常写入文件，") + u'\r' +
         Texts::tr("请重新安装软件到其他目录，或重新选择其他目录保存这个文件");
}

}  // namespace pivlo
