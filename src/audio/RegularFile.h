#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace pivlo {

// The bytes of a regular file of at most `limit` bytes. A FIFO, a device or a folder is
// refused without blocking on it. Nothing, with the reason in `error`, otherwise.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 limit, QString* error = nullptr);

}  // namespace pivlo
