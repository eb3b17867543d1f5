#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QtGlobal>

namespace pivlo::test {

// One icon image resource: its identifier and, per language, its own copy of the data.
struct PeIcon {
  quint16 id = 1;
  QList<quint16> languages = {0x409};
  QByteArray data;
};

// One icon group: a description for each listed icon identifier.
struct PeGroup {
  quint16 id = 1;
  quint16 language = 0x409;
  QList<quint16> icons;
};

struct PeLayout {
  bool pe32_plus = false;
  QList<PeIcon> icons;
  QList<PeGroup> groups;
  bool resources = true;  // false: the resource directory entry is 0
};

// A PE program built byte by byte: headers, a code section and a resource section with
// the icons and groups, and where each structure landed.
struct PeFile {
  QByteArray bytes;
  qint64 optional_header = 0;
  qint64 section_table = 0;     // .text, then .rsrc
  qint64 resource_directory = 0;
  quint32 resource_va = 0;      // of the .rsrc section
  quint32 resource_raw = 0;
  // Per icon image and language, in directory order: its data entry and its data.
  struct IconAt {
    qint64 data_entry = 0;
    qint64 data = 0;
  };
  QList<IconAt> icons;
  QList<qint64> group_entries;  // every 14-byte entry of every group, in order

  quint32 U32(qint64 at) const;
  quint16 U16(qint64 at) const;
  void PutU32(qint64 at, quint32 value);
  void PutU16(qint64 at, quint16 value);
  // The file offset of a relative virtual address inside .rsrc.
  qint64 ResourceOffset(quint32 rva) const { return resource_raw + (rva - resource_va); }
};

PeFile BuildPe(const PeLayout& layout);

// A PE program (32-bit unless asked) with three icon images of 2216, 4264 and 9640 bytes
// ('a', 'b', 'c'; the first in two languages), and two groups: 101 listing all three,
// 102 the second.
PeFile SamplePe(bool pe32_plus = false);

// A 32 x 32 icon image of 32 bits in one colour, as icon files and resources hold it: the
// 40-byte header, the colour rows and the mask.
QByteArray SolidIconImage(QRgb colour);

// The bytes of an icon file with one image of the given description.
QByteArray IconFileBytes(quint8 width, quint16 bits, const QByteArray& image);

}  // namespace pivlo::test
