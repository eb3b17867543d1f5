#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

namespace pivlo {

// Opens the file at `path` for reading when it is a regular file. A FIFO, device or
// folder is refused as a missing file is, and never blocks the caller: the check is made
// on the opened file itself, which was opened without waiting for a writer.
bool OpenRegularFile(QFile& file, const QString& path);

// A path naming the open file itself, for libraries that open files by name: whatever
// is put in the file's place later is not what they read. The file's own name where the
// system has no such path.
QString OpenFilePath(int descriptor, const QString& fallback);

// Reads `length` bytes from byte `offset` of the file at `path` into `data` (resized to
// exactly that many bytes). Length -1 means up to the end of the file. Returns the length
// read; 0, with `data` untouched, when the file is missing, empty or not a regular file,
// the range does not
// lie within the file, or the read fails. Long reads go in 12 MiB chunks with pending
// window events processed between them.
qint64 ReadFileBytes(QByteArray& data, const QString& path, qint64 offset, qint64 length);
// The same through a file the caller holds open; a length of 0 or less gives 0.
qint64 ReadFileBytes(QByteArray& data, QFile& file, qint64 offset, qint64 length);

// Writes all of `data` into the file at `path` from byte `offset`, creating the file when
// missing. The file is never shortened: bytes beyond the written range stay as they were.
// Long writes go in 2 MiB chunks with pending window events processed between them.
bool WriteFileBytes(const QByteArray& data, const QString& path, qint64 offset);
// The same through a file the caller holds open for writing.
bool WriteFileBytes(const QByteArray& data, QFile& file, qint64 offset);

}  // namespace pivlo
