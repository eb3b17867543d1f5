#pragma once

// The files a show is made of, wherever they are: on disk, or held by a self-contained
// package. A held file is named "res:N/NAME": N its number in the package, NAME the file
// name it had, so that its title and its type by the last three letters still hold.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace pivlo {

class MediaFiles {
 public:
  virtual ~MediaFiles() = default;
  // True when `path` names one of the held files.
  virtual bool Holds(const QString& path) const = 0;
  // The held file open for reading, with random access; nullptr with the reason otherwise.
  virtual std::unique_ptr<QIODevice> Open(const QString& path, QString* error) const = 0;
};

// "res:N/NAME", and back: N when the path has that form (N from 1), else nothing.
QString HeldMediaPath(qint32 number, const QString& name);
std::optional<qint32> HeldMediaNumber(const QString& path);
// The package item that holds file N: "MediaFile(N)", and back.
QString MediaItemName(qint32 number);
std::optional<qint32> MediaItemNumber(const QString& item);

// The file at `path` open for reading: the held one when `media` (which may be null) holds
// it, else a regular file on disk (a FIFO, a device or a folder is refused without
// blocking on it). Nothing, with the reason in `error`, otherwise.
std::unique_ptr<QIODevice> OpenMediaFile(const MediaFiles* media, const QString& path, QString* error = nullptr);
// Its bytes, when there are at most `limit` of them.
std::optional<QByteArray> ReadMediaFile(const MediaFiles* media, const QString& path, qint64 limit,
                                        QString* error = nullptr);

}  // namespace pivlo
