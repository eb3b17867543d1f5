#include "PeFixtures.h"

#include <QtEndian>

namespace pivlo::test {
namespace {

constexpr qint64 kPeHeader = 0x80;
constexpr quint32 kTextVa = 0x1000;
constexpr quint32 kTextRaw = 0x400;
constexpr quint32 kTextSize = 0x200;
constexpr quint32 kResourceVa = 0x2000;
constexpr quint32 kResourceRaw = 0x600;

void Put16(QByteArray& bytes, qint64 at, quint16 value) { qToLittleEndian(value, bytes.data() + at); }
void Put32(QByteArray& bytes, qint64 at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }

// Lays out the resource section: directories, data entries and data, in that order.
class ResourceSection {
 public:
  qint64 Directory(qsizetype count) {
    const qint64 at = Grow(16 + 8 * count);
    Put16(bytes_, at + 14, quint16(count));
    return at;
  }
  void Entry(qint64 directory, qsizetype index, quint32 id, qint64 target, bool subdirectory) {
    const qint64 at = directory + 16 + 8 * index;
    Put32(bytes_, at, id);
    Put32(bytes_, at + 4, quint32(target) | (subdirectory ? 0x80000000u : 0));
  }
  qint64 DataEntry() { return Grow(16); }
  qint64 Data(qint64 entry, const QByteArray& data) {
    const qint64 at = Grow((data.size() + 3) / 4 * 4);
    bytes_.replace(at, data.size(), data);
    Put32(bytes_, entry, kResourceVa + quint32(at));
    Put32(bytes_, entry + 4, quint32(data.size()));
    return at;
  }
  const QByteArray& Bytes() const { return bytes_; }

 private:
  qint64 Grow(qint64 length) {
    const qint64 at = bytes_.size();
    bytes_.append(QByteArray(length, '\0'));
    return at;
  }
  QByteArray bytes_;
};

QByteArray GroupData(const PeGroup& group, const QList<PeIcon>& icons) {
  QByteArray data(6 + 14 * group.icons.size(), '\0');
  Put16(data, 2, 1);
  Put16(data, 4, quint16(group.icons.size()));
  for (qsizetype k = 0; k < group.icons.size(); ++k) {
    const qint64 at = 6 + 14 * k;
    qsizetype size = 0;
    for (const PeIcon& icon : icons) {
      if (icon.id == group.icons[k]) size = icon.data.size();
    }
    data[at] = char(16 * (k + 1));
    data[at + 1] = char(16 * (k + 1));
    Put16(data, at + 4, 1);
    Put16(data, at + 6, 32);
    Put32(data, at + 8, quint32(size));
    Put16(data, at + 12, group.icons[k]);
  }
  return data;
}

}  // namespace

quint32 PeFile::U32(qint64 at) const { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 PeFile::U16(qint64 at) const { return qFromLittleEndian<quint16>(bytes.constData() + at); }
void PeFile::PutU32(qint64 at, quint32 value) { Put32(bytes, at, value); }
void PeFile::PutU16(qint64 at, quint16 value) { Put16(bytes, at, value); }

PeFile BuildPe(const PeLayout& layout) {
  // The tree: types 3 and 14, names, languages, then the data entries and the data.
  ResourceSection section;
  const bool has_icons = !layout.icons.isEmpty();
  const bool has_groups = !layout.groups.isEmpty();
  const qint64 root = section.Directory(qsizetype(has_icons) + qsizetype(has_groups));
  QList<std::pair<qint64, const QByteArray*>> pending;  // data entry, data
  qsizetype root_index = 0;
  if (has_icons) {
    const qint64 names = section.Directory(layout.icons.size());
    section.Entry(root, root_index++, 3, names, true);
    for (qsizetype i = 0; i < layout.icons.size(); ++i) {
      const qint64 languages = section.Directory(layout.icons[i].languages.size());
      section.Entry(names, i, layout.icons[i].id, languages, true);
      for (qsizetype l = 0; l < layout.icons[i].languages.size(); ++l) {
        const qint64 entry = section.DataEntry();
        section.Entry(languages, l, layout.icons[i].languages[l], entry, false);
        pending.append({entry, &layout.icons[i].data});
      }
    }
  }
  QList<QByteArray> groups;
  for (const PeGroup& group : layout.groups) groups.append(GroupData(group, layout.icons));
  QList<qint64> group_data_entries;
  if (has_groups) {
    const qint64 names = section.Directory(layout.groups.size());
    section.Entry(root, root_index++, 14, names, true);
    for (qsizetype g = 0; g < layout.groups.size(); ++g) {
      const qint64 languages = section.Directory(1);
      section.Entry(names, g, layout.groups[g].id, languages, true);
      const qint64 entry = section.DataEntry();
      section.Entry(languages, 0, layout.groups[g].language, entry, false);
      group_data_entries.append(entry);
    }
  }

  PeFile pe;
  pe.resource_va = kResourceVa;
  pe.resource_raw = kResourceRaw;
  pe.resource_directory = kResourceRaw;
  for (const auto& [entry, data] : pending) {
    pe.icons.append(PeFile::IconAt{kResourceRaw + entry, kResourceRaw + section.Data(entry, *data)});
  }
  for (qsizetype g = 0; g < groups.size(); ++g) {
    const qint64 at = kResourceRaw + section.Data(group_data_entries[g], groups[g]);
    for (qsizetype k = 0; k < layout.groups[g].icons.size(); ++k) pe.group_entries.append(at + 6 + 14 * k);
  }

  const QByteArray& resources = section.Bytes();
  const quint32 resource_size = quint32((resources.size() + 0x1FF) / 0x200 * 0x200);
  QByteArray& bytes = pe.bytes;
  bytes = QByteArray(kResourceRaw + resource_size, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  Put32(bytes, 60, kPeHeader);
  bytes.replace(kPeHeader, 4, QByteArray("PE\0\0", 4));
  const qint64 file_header = kPeHeader + 4;
  const quint16 optional_length = layout.pe32_plus ? 240 : 224;
  Put16(bytes, file_header, layout.pe32_plus ? 0x8664 : 0x14C);
  Put16(bytes, file_header + 2, 2);
  Put16(bytes, file_header + 16, optional_length);
  pe.optional_header = file_header + 20;
  Put16(bytes, pe.optional_header, layout.pe32_plus ? 0x20B : 0x10B);
  const qint64 directories = pe.optional_header + (layout.pe32_plus ? 112 : 96);
  Put32(bytes, directories - 4, 16);  // NumberOfRvaAndSizes
  if (layout.resources) {
    Put32(bytes, directories + 16, kResourceVa);
    Put32(bytes, directories + 20, quint32(resources.size()));
  }
  pe.section_table = pe.optional_header + optional_length;
  const struct {
    const char* name;
    quint32 va, raw_size, raw;
  } sections[] = {{".text", kTextVa, kTextSize, kTextRaw}, {".rsrc", kResourceVa, resource_size, kResourceRaw}};
  for (qsizetype i = 0; i < 2; ++i) {
    const qint64 at = pe.section_table + 40 * i;
    bytes.replace(at, qsizetype(qstrlen(sections[i].name)), sections[i].name);
    Put32(bytes, at + 8, sections[i].raw_size);
    Put32(bytes, at + 12, sections[i].va);
    Put32(bytes, at + 16, sections[i].raw_size);
    Put32(bytes, at + 20, sections[i].raw);
  }
  bytes.replace(kTextRaw, 3, "\xC3\x90\x90");
  bytes.replace(kResourceRaw, resources.size(), resources);
  return pe;
}

PeFile SamplePe(bool pe32_plus) {
  PeLayout layout;
  layout.pe32_plus = pe32_plus;
  layout.icons = {PeIcon{1, {0x409, 0x804}, QByteArray(2216, 'a')}, PeIcon{2, {0x409}, QByteArray(4264, 'b')},
                PeIcon{3, {0x409}, QByteArray(9640, 'c')}};
  layout.groups = {PeGroup{101, 0x409, {1, 2, 3}}, PeGroup{102, 0x804, {2}}};
  return BuildPe(layout);
}

QByteArray SolidIconImage(QRgb colour) {
  QByteArray image(40, '\0');
  Put32(image, 0, 40);
  Put32(image, 4, 32);
  Put32(image, 8, 64);  // the colour rows and the mask rows
  Put16(image, 12, 1);
  Put16(image, 14, 32);
  const char pixel[4] = {char(qBlue(colour)), char(qGreen(colour)), char(qRed(colour)), char(qAlpha(colour))};
  for (int k = 0; k < 32 * 32; ++k) image.append(pixel, 4);
  return image + QByteArray(32 * 4, '\0');
}

QByteArray IconFileBytes(quint8 width, quint16 bits, const QByteArray& image) {
  QByteArray file(22, '\0');
  Put16(file, 2, 1);
  Put16(file, 4, 1);
  file[6] = char(width);
  file[7] = char(width);
  Put16(file, 10, 1);
  Put16(file, 12, bits);
  Put32(file, 14, quint32(image.size()));
  Put32(file, 18, 22);
  return file + image;
}

}  // namespace pivlo::test
