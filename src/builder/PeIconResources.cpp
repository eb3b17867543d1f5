#include "builder/PeIconResources.h"

#include <QList>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <optional>

namespace pivlo {
namespace {

constexpr qint64 kPeHeaderPointer = 60;
constexpr qint64 kFileHeaderLength = 20;
constexpr qint64 kSectionHeaderLength = 40;
constexpr qint64 kLowestResourceDirectory = 309;
constexpr quint16 kPe32Magic = 0x10B;
constexpr quint16 kPe32PlusMagic = 0x20B;
constexpr qint64 kPe32ResourceEntry = 112;      // data directory 2 in the optional header
constexpr qint64 kPe32PlusResourceEntry = 128;
constexpr quint32 kIconType = 3;
constexpr quint32 kIconGroupType = 14;
constexpr quint32 kSubdirectoryBit = 0x80000000u;
constexpr qint64 kDirectoryHeaderLength = 16;
constexpr qint64 kDirectoryEntryLength = 8;
constexpr qint64 kDataEntryLength = 16;
constexpr qint64 kGroupHeaderLength = 6;
constexpr qint64 kGroupEntryLength = 14;
constexpr qint64 kDescriptionLength = 12;

// Bounds-checked little-endian reads; a read outside the bytes gives nothing.
class Reader {
 public:
  explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}

  bool Has(qint64 offset, qint64 length) const {
    return offset >= 0 && length >= 0 && offset <= bytes_.size() - length;
  }
  std::optional<quint16> U16(qint64 at) const {
    if (!Has(at, 2)) return std::nullopt;
    return qFromLittleEndian<quint16>(bytes_.data() + at);
  }
  std::optional<quint32> U32(qint64 at) const {
    if (!Has(at, 4)) return std::nullopt;
    return qFromLittleEndian<quint32>(bytes_.data() + at);
  }
  bool Matches(qint64 at, QByteArrayView expected) const {
    return Has(at, expected.size()) && bytes_.sliced(at, expected.size()) == expected;
  }
  qint64 Size() const { return bytes_.size(); }

 private:
  QByteArrayView bytes_;
};

// Where the resources are: the root directory's file offset, and the section through
// which every relative virtual address is converted.
struct ResourceSection {
  qint64 directory = 0;
  quint32 virtual_address = 0;
  quint32 raw_pointer = 0;

  std::optional<qint64> FileOffset(quint32 rva) const {
    if (rva < virtual_address) return std::nullopt;
    return qint64(raw_pointer) + (rva - virtual_address);
  }
};

enum class Located { Found, None, Damaged };

Located LocateResources(const Reader& reader, ResourceSection& section) {
  if (!reader.Matches(0, "MZ")) return Located::None;
  const std::optional<quint32> pe = reader.U32(kPeHeaderPointer);
  if (!pe || !reader.Matches(*pe, QByteArrayView("PE\0\0", 4))) return Located::Damaged;
  const qint64 file_header = qint64(*pe) + 4;
  const std::optional<quint16> sections = reader.U16(file_header + 2);
  const std::optional<quint16> optional_length = reader.U16(file_header + 16);
  const qint64 optional_header = file_header + kFileHeaderLength;
  const std::optional<quint16> magic = reader.U16(optional_header);
  if (!sections || !optional_length || !magic) return Located::Damaged;
  qint64 entry = 0;
  if (*magic == kPe32Magic) {
    entry = kPe32ResourceEntry;
  } else if (*magic == kPe32PlusMagic) {
    entry = kPe32PlusResourceEntry;
  } else {
    return Located::Damaged;
  }
  // An optional header too short to hold the resource entry has no resources.
  if (*optional_length < entry + 8) return Located::None;
  const std::optional<quint32> rva = reader.U32(optional_header + entry);
  const std::optional<quint32> size = reader.U32(optional_header + entry + 4);
  if (!rva || !size) return Located::Damaged;
  if (*size == 0) return Located::None;

  const qint64 table = optional_header + *optional_length;
  if (!reader.Has(table, *sections * kSectionHeaderLength)) return Located::Damaged;
  for (qint64 i = 0; i < *sections; ++i) {
    const qint64 header = table + i * kSectionHeaderLength;
    const quint32 virtual_address = *reader.U32(header + 12);
    const quint32 raw_size = *reader.U32(header + 16);
    if (virtual_address > *rva || qint64(virtual_address) + raw_size <= *rva) continue;
    section.virtual_address = virtual_address;
    section.raw_pointer = *reader.U32(header + 20);
    section.directory = *section.FileOffset(*rva);
    return section.directory < kLowestResourceDirectory ? Located::None : Located::Found;
  }
  return Located::None;
}

struct DirectoryEntry {
  quint32 id = 0;
  quint32 target = 0;  // from the root directory
  bool subdirectory = false;
};

// Walks the three levels (type, name, language) of the resource tree. Every directory
// may be reached once only and no more entries are read than the bytes could hold side
// by side, so a damaged tree cannot loop or make the walk slow.
class ResourceWalker {
 public:
  ResourceWalker(const Reader& reader, const ResourceSection& section)
      : reader_(reader), section_(section), entry_budget_(reader.Size() / kDirectoryEntryLength) {}

  // The file offsets of the data entries of every icon image and every icon group, each
  // in directory order; false when the tree is damaged.
  bool IconEntries(QList<qint64>& images, QList<qint64>& groups) {
    const std::optional<QList<DirectoryEntry>> types = Directory(section_.directory);
    if (!types) return false;
    for (const DirectoryEntry& type : *types) {
      if (type.id == kIconType) {
        if (!DataEntries(type, images)) return false;
      } else if (type.id == kIconGroupType) {
        if (!DataEntries(type, groups)) return false;
      }
    }
    return true;
  }

 private:
  bool DataEntries(const DirectoryEntry& type, QList<qint64>& found) {
    const std::optional<QList<DirectoryEntry>> names = Subdirectory(type);
    if (!names) return false;
    for (const DirectoryEntry& name : *names) {
      const std::optional<QList<DirectoryEntry>> languages = Subdirectory(name);
      if (!languages) return false;
      for (const DirectoryEntry& language : *languages) {
        const qint64 data = section_.directory + language.target;
        if (language.subdirectory || !reader_.Has(data, kDataEntryLength)) return false;
        found.append(data);
      }
    }
    return true;
  }

  std::optional<QList<DirectoryEntry>> Subdirectory(const DirectoryEntry& entry) {
    if (!entry.subdirectory) return std::nullopt;
    return Directory(section_.directory + entry.target);
  }

  std::optional<QList<DirectoryEntry>> Directory(qint64 offset) {
    if (visited_.contains(offset)) return std::nullopt;
    visited_.insert(offset);
    const std::optional<quint16> named = reader_.U16(offset + 12);
    const std::optional<quint16> numbered = reader_.U16(offset + 14);
    if (!named || !numbered) return std::nullopt;
    const qint64 count = qint64(*named) + *numbered;
    entry_budget_ -= count;
    const qint64 first = offset + kDirectoryHeaderLength;
    if (entry_budget_ < 0 || !reader_.Has(first, count * kDirectoryEntryLength)) return std::nullopt;
    QList<DirectoryEntry> entries;
    entries.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
      const quint32 id = *reader_.U32(first + i * kDirectoryEntryLength);
      const quint32 target = *reader_.U32(first + i * kDirectoryEntryLength + 4);
      entries.append(DirectoryEntry{id, target & ~kSubdirectoryBit, (target & kSubdirectoryBit) != 0});
    }
    return entries;
  }

  const Reader& reader_;
  const ResourceSection& section_;
  qint64 entry_budget_;
  QSet<qint64> visited_;
};

// A resource's data as its data entry declares it, converted to a file range within the
// bytes.
struct DataRange {
  quint32 rva = 0;
  qint64 offset = 0;
  qint64 size = 0;
};

std::optional<DataRange> ResourceData(const Reader& reader, const ResourceSection& section, qint64 entry) {
  const quint32 rva = *reader.U32(entry);
  const quint32 size = *reader.U32(entry + 4);
  const std::optional<qint64> offset = section.FileOffset(rva);
  if (!offset || !reader.Has(*offset, size)) return std::nullopt;
  return DataRange{rva, *offset, size};
}

void PutU32(QByteArray& bytes, qint64 at, quint32 value) { qToLittleEndian<quint32>(value, bytes.data() + at); }

// A range of the program that the replacement writes.
struct Write {
  qint64 offset = 0;
  qint64 length = 0;
  int kind = 0;  // the same kind of write at the same place writes the same bytes
};

// In a sound program the new image, the group entries and the image entries lie apart;
// where they overlap, one write would spoil another.
bool WritesApart(QList<Write> writes) {
  std::sort(writes.begin(), writes.end(), [](const Write& a, const Write& b) { return a.offset < b.offset; });
  qint64 end = 0;
  for (qsizetype i = 0; i < writes.size(); ++i) {
    const Write& write = writes[i];
    if (write.offset < end) {
      const Write& previous = writes[i - 1];
      if (write.offset != previous.offset || write.kind != previous.kind) return false;
    }
    end = std::max(end, write.offset + write.length);
  }
  return true;
}

}  // namespace

IconReplacement ReplaceIconResources(QByteArray& program, const IconImageData& icon) {
  if (icon.description.size() != kDescriptionLength || icon.image.isEmpty()) return IconReplacement::Failed;
  const Reader reader(program);
  ResourceSection section;
  switch (LocateResources(reader, section)) {
    case Located::Found: break;
    case Located::None: return IconReplacement::Unchanged;
    case Located::Damaged: return IconReplacement::Failed;
  }
  QList<qint64> images;
  QList<qint64> groups;
  if (!ResourceWalker(reader, section).IconEntries(images, groups) || images.isEmpty()) {
    return IconReplacement::Failed;
  }

  // The new image takes the place of the first one, so it must fit there.
  const std::optional<DataRange> target = ResourceData(reader, section, images.first());
  if (!target || icon.image.size() > target->size) return IconReplacement::Failed;
  enum { kImage, kGroupEntry, kImageEntry };
  QList<Write> writes = {Write{target->offset, icon.image.size(), kImage}};
  QList<qint64> group_entries;
  for (const qint64 entry : groups) {
    const std::optional<DataRange> group = ResourceData(reader, section, entry);
    if (!group) return IconReplacement::Failed;
    const std::optional<quint16> count = reader.U16(group->offset + 4);
    if (!count || kGroupHeaderLength + *count * kGroupEntryLength > group->size) return IconReplacement::Failed;
    for (qint64 k = 0; k < *count; ++k) {
      group_entries.append(group->offset + kGroupHeaderLength + k * kGroupEntryLength);
      writes.append(Write{group_entries.last(), kDescriptionLength, kGroupEntry});
    }
  }
  for (const qint64 entry : images) writes.append(Write{entry, 8, kImageEntry});
  if (!WritesApart(writes)) return IconReplacement::Failed;

  std::memcpy(program.data() + target->offset, icon.image.constData(), size_t(icon.image.size()));
  for (const qint64 at : group_entries) {
    std::memcpy(program.data() + at, icon.description.constData(), kDescriptionLength);
  }
  for (const qint64 entry : images) {
    PutU32(program, entry, target->rva);
    PutU32(program, entry + 4, quint32(icon.image.size()));
  }
  return IconReplacement::Replaced;
}

}  // namespace pivlo
