#include "media/PictureAdding.h"

#include "core/PathRules.h"
#include "media/basGdiPlus.h"

#include <algorithm>

#include <QCollator>
#include <QDirIterator>
#include <QSet>

namespace pivlo {
namespace {

constexpr int kShortestDroppedName = 5;

}  // namespace

bool IsPictureFileType(const QString& type) {
  static const QStringList kTypes = {QStringLiteral("BMP"), QStringLiteral("JPG"), QStringLiteral("GIF"),
                                     QStringLiteral("PNG"), QStringLiteral("PCX"), QStringLiteral("TGA"),
                                     QStringLiteral("TIF")};
  return kTypes.contains(type);
}

QStringList SplitFileDialogResult(const QString& result) {
  QStringList parts = result.split(QChar(0), Qt::SkipEmptyParts);
  if (parts.size() <= 1) return parts;
  QString folder = parts.takeFirst();
  if (!folder.endsWith(u'/')) folder += u'/';
  for (QString& name : parts) name.prepend(folder);
  return parts;
}

QStringList PictureFilesInFolder(const QString& folder) {
  QStringList files;
  QDirIterator listing(folder, QDir::Files | QDir::Hidden | QDir::System);
  while (listing.hasNext()) {
    const QString path = listing.next();
    if (IsPictureFileType(FileTypeOfPath(path))) files << path;
  }
  // As a file manager of this program's language lists them: photo2 before photo10,
  // capitals or not, whatever the process's own locale.
  QCollator order{QLocale(QLocale::Chinese, QLocale::China)};
  order.setNumericMode(true);
  order.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(files.begin(), files.end(), order);
  return files;
}

QStringList DroppedPictureFiles(const QStringList& files) {
  QStringList pictures;
  for (const QString& path : files) {
    if (path.size() < kShortestDroppedName) continue;
    const QString ending = path.right(4).toUpper();
    if (ending.startsWith(u'.') && IsPictureFileType(ending.mid(1))) pictures << path;
  }
  return pictures;
}

qsizetype AppendPictures(ProjectModel& model, const QStringList& paths) {
  QSet<QString> present;
  for (const ImageEntry& entry : model.pictures) present.insert(entry.file.toCaseFolded());
  qsizetype appended = 0;
  for (const QString& path : paths) {
    const QString key = path.toCaseFolded();
    if (present.contains(key) || !IsPictureFileType(FileTypeOfPath(path))) continue;
    if (!ProbeImageFile(path, false).IsKnown()) continue;
    model.AddPicture(path);
    present.insert(key);
    ++appended;
  }
  return appended;
}

}  // namespace pivlo
