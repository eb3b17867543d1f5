#pragma once

#include <QByteArrayView>
#include <QString>

namespace pivlo {

// The CRC-32 of the bytes (the CRC of zlib, PKZIP and Ethernet) as upper-case hexadecimal
// without leading zeros: "CBF43926" for "123456789", "0" for a CRC of 0.
QString ChecksumText(QByteArrayView bytes);

// The checksum text of the whole file; empty when the file is missing, empty or
// unreadable. Callers compare it case-sensitively with the text they expect.
QString FileChecksumText(const QString& path);

}  // namespace pivlo
