#pragma once

// The picture-frame list: what each entry is, and the frame it gives. Its entries, in
// order: 无; the frames of the frame packages, or 测试用相框 when none was found;
// 自定义 PNG 相框...; 更多相框下载....

#include "core/ProjectTypes.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pivlo {

enum class FrameEntryKind { kNone, kPackage, kTest, kCustom, kDownload };

// Frame numbers as a project stores them; package frames are their list position (1..).
inline constexpr qint32 kNoFrameNumber = 0;
inline constexpr qint32 kCustomFrameNumber = -1;
inline constexpr qint32 kTestFrameNumber = -2;

FrameEntryKind FrameEntryKindAt(int row, int count, bool packages_found);

// The number a project stores for the entry's frame.
qint32 FrameNumberOf(FrameEntryKind kind, int row);

// The bytes at full size of the frame a project's number names: the user's file
// (`custom_path`) only when it is a PNG, as the picture library prepares it for a
// package; the test frame from the program's pictures; a package frame from its package
// (their indexes read). Nothing otherwise: the frame chosen before stays.
std::optional<QByteArray> FrameBytesOfNumber(qint32 number, const QString& custom_path);

// A project read back keeps only its own PNG frame: its bytes are returned. A frame file
// that is gone leaves the choice as it was (it comes back with the file); any other frame
// (a package's, the test frame: the choosing machine's) is dropped, number and path.
std::optional<QByteArray> RestoreProjectFrame(ProjectSettings& settings, bool has_pictures);

}  // namespace pivlo
