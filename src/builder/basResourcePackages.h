#pragma once

#include "builder/ResourcePackage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace pivlo {

class Prompter;

// gmi.src: the program's own pictures (button faces, banner, dialog pictures, the texture
// and the test frame), read at start-up and kept for the program run.

// Reads the index of gmi.src in the application folder. A missing or malformed file is
// reported to the user, naming it, and gives false: start-up then ends the program.
bool LoadPackageIndex(Prompter& prompter);
// The index read by LoadPackageIndex; null before it succeeded.
const ResourcePackage* PackageIndex();
// The number of the first entry named so, ignoring case; nothing when there is none.
std::optional<qint32> FindPackageEntry(const QString& name);
// The bytes of the named entry; nothing (and no message) when it is not there.
std::optional<QByteArray> ReadPackageEntry(const QString& name);

// The picture-frame packages 1.frame to 10.frame, combined into one list.

struct FrameIndexEntry {
  qint32 package = 0;  // n of n.frame
  qint32 number = 0;   // the frame's entry number within its package
  ResourcePackage::Entry frame;  // display name, size, offset
};

// Reads every frame package of the application folder in package order and combines
// their frames, each package's in index order. A package that is missing, unsigned or
// malformed is skipped silently; the others are still read.
void LoadFrameIndex();
const QList<FrameIndexEntry>& FrameIndex();
// True when at least one frame package was read.
bool FramePackagesFound();
// The bytes of the frame at position k (1-based) of the combined list; empty when there
// is no such frame or its package no longer holds it.
QByteArray ReadFrameEntry(qint32 position);

}  // namespace pivlo
