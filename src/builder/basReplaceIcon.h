#pragma once

#include "builder/BuildState.h"
#include "builder/PeIconResources.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pivlo {

// Icon images of 32 or 48 pixels at 8, 24 or 32 bits, found by their header's byte
// pattern in any file (icons, programs, libraries, icon libraries).

struct IconImageEntry {
  qint64 start = 0;    // of the image's 40-byte header within the scanned bytes
  qint32 length = 0;   // header, colour table, colour bitmap and mask
  qint32 width = 0;    // 32 or 48; the height is the same
  qint32 bits = 0;     // 8, 24 or 32
  QString text;        // the picker's line: "图标 - 001  32*32   8位"
};

// The scanned bytes stay while the picker is open: the images are copied from them.
struct IconImageList {
  QByteArray bytes;
  QList<IconImageEntry> images;
};

// The length of an image: 40 + colour table (8 bits) + colour rows + mask rows, rows
// padded to 4 bytes.
qint32 IconImageLength(qint32 width, qint32 bits);

// Scans the file (of a program only the first 2,000,000 bytes; other files over
// 10,240,000 bytes and files under 21 bytes not at all) for image headers at every
// offset from 1. An image that would run past the scanned bytes is not listed.
IconImageList ScanIconImages(const QString& path);

// The icon file holding image `index` of the list alone; empty for no such image.
QByteArray SingleIconFileBytes(const IconImageList& list, qsizetype index);
bool WriteSingleIconFile(const QString& path, const IconImageList& list, qsizetype index);

// The first image of an icon file with its description; nothing when the file is not a
// readable icon file.
std::optional<IconImageData> ReadIconFile(const QString& path);

// Gives the program file the first image of the icon file (ReplaceIconResources). An
// unreadable icon file or a program that cannot be opened leaves it unchanged.
IconReplacement ReplaceIconInFile(const QString& icon_path, const QString& program_path);
// The same, true unless the replacement failed.
bool ReplaceExeIcon(const QString& icon_path, const QString& program_path);
// What the user is told when it failed: "替换图标失败".
QString IconReplacementFailedText();

// The icon picker and the build share two files in Temp/: the image selected in the
// picker, and the icon confirmed for builds (CustomIconPath() in core/AppFolders.h).
QString TempIconPath();   // Temp/tempicon.ico
// The icon a build gives the player and the icon button shows: Temp/icofinal.ico when it
// exists and the user confirmed an icon; empty otherwise (the player's own icon).
QString ConfirmedIconPath(const BuildState& state);

// Whether a newly selected file in the picker is scanned: not a link, a path of 8
// characters or more, an existing file, and not the file scanned last.
bool ShouldScanIconFile(const QString& path, const QString& last_scanned);
// The picker opens: no image is selected yet.
void StartIconChoice();
// Selecting image `index` writes it as Temp/tempicon.ico.
bool SelectIconImage(const IconImageList& list, qsizetype index);
// OK in the picker: the selected image, if any, becomes the confirmed icon.
void ConfirmIconChoice(BuildState& state);
// A new or opened project has no icon of its own.
void ForgetCustomIcon(BuildState& state);

}  // namespace pivlo
