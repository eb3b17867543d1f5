#include "core/XScreenSaverPrograms.h"

#include <QCoreApplication>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::XScreenSaverPrograms)
};

const QString kKey = u"programs:"_s;
const QString kSeparator = u"\\n"_s;  // the two characters that end an entry

// One stretch of an entry on one line: [start, end) is its text, [start, next) with the
// separator that follows it.
struct Piece {
  qsizetype line = 0;
  qsizetype start = 0;
  qsizetype end = 0;
  qsizetype next = 0;
};

struct Entry {
  QList<Piece> pieces;
  QString text;  // trimmed
  bool disabled = false;
  QString program;  // the command's first word
};

struct Block {
  qsizetype first = -1;  // the line with the key
  qsizetype last = -1;   // the line that does not continue
  QList<Entry> entries;
};

bool Continues(const QString& line) { return line.endsWith(u'\\') || line.endsWith(u"\\\r"); }

qsizetype ContentEnd(const QString& line) {
  if (line.endsWith(u"\\\r")) return line.size() - 2;
  return line.endsWith(u'\\') ? line.size() - 1 : line.size();
}

bool IsBlank(QStringView text) { return text.trimmed().isEmpty(); }

// An entry is known by the program it runs: its command's first word.
QString ProgramOf(const QString& command) { return command.trimmed().section(QRegularExpression(u"\\s+"_s), 0, 0); }

// The entry's parts: "-", "GL:", "\"Name\"", then the command.
void Describe(Entry& entry) {
  static const QRegularExpression kVisual(u"^[A-Za-z][A-Za-z0-9_-]*:\\s*"_s);
  QString rest = entry.text;
  entry.disabled = rest.startsWith(u'-');
  if (entry.disabled) rest = rest.mid(1).trimmed();
  rest.remove(kVisual);
  if (rest.startsWith(u'"')) {
    const qsizetype close = rest.indexOf(u'"', 1);
    rest = close < 0 ? QString() : rest.mid(close + 1).trimmed();
  }
  entry.program = ProgramOf(rest);
}

// The list under `key` at the start of a line; nothing found leaves `first` at -1.
std::optional<Block> FindBlock(const QStringList& lines, const QString& key, QString* error) {
  Block block;
  for (qsizetype k = 0; k < lines.size(); ++k) {
    if (!lines[k].trimmed().startsWith(key)) continue;
    if (block.first >= 0) {
      if (error) *error = Texts::tr("有两个 %1 列表").arg(key);
      return std::nullopt;
    }
    block.first = k;
  }
  if (block.first < 0) return block;
  block.last = block.first;
  while (Continues(lines[block.last])) {
    if (++block.last >= lines.size()) {
      if (error) *error = Texts::tr("%1 列表一直延续到文件末尾").arg(key);
      return std::nullopt;
    }
  }

  bool open = false;  // the last entry goes on on the next line
  for (qsizetype k = block.first; k <= block.last; ++k) {
    const QString& line = lines[k];
    qsizetype at = k == block.first ? line.indexOf(key) + key.size() : 0;
    const qsizetype end = ContentEnd(line);
    while (at <= end) {
      qsizetype separator = line.indexOf(kSeparator, at);
      if (separator < 0 || separator >= end) separator = -1;
      const qsizetype piece_end = separator < 0 ? end : separator;
      const Piece piece{k, at, piece_end, separator < 0 ? end : separator + kSeparator.size()};
      const QStringView text = QStringView(line).mid(at, piece_end - at);
      if (open) {
        Entry& entry = block.entries.last();
        entry.pieces << piece;
        entry.text = (entry.text + text.toString()).trimmed();
      } else if (!IsBlank(text)) {
        Entry entry;
        entry.pieces << piece;
        entry.text = text.trimmed().toString();
        block.entries << entry;
      }
      open = separator < 0 ? (open || !IsBlank(text)) && Continues(line) : false;
      if (separator < 0) break;
      at = separator + kSeparator.size();
    }
  }
  for (Entry& entry : block.entries) Describe(entry);
  return block;
}

QStringList Lines(const QString& file) { return file.split(u'\n'); }

QString EntryLine(const QString& entry, bool continues) {
  return u"\t\t"_s + entry + (continues ? u"\t\\n\\"_s : u"\t\\n"_s);
}

bool Editable(const Entry& entry, QString* error) {
  if (entry.pieces.size() == 1) return true;
  if (error) *error = Texts::tr("条目“%1”跨越多行，无法修改").arg(entry.text);
  return false;
}

}  // namespace

QString XScreenSaverEntry(const QString& name, const QString& command) {
  // A quote would end the name, a backslash or a line break the entry.
  static const QRegularExpression kBreaking(u"[\"\\\\\r\n]"_s);
  return u'"' + QString(name).remove(kBreaking) + u"\"  "_s + command;
}

std::optional<ProgramsEdit> AddXScreenSaverProgram(const QString& file, const QString& name, const QString& command,
                                                   const QString& defaults, QString* error) {
  QStringList lines = Lines(file);
  const std::optional<Block> block = FindBlock(lines, kKey, error);
  if (!block) return std::nullopt;
  const QString program = ProgramOf(command);
  const QString entry = XScreenSaverEntry(name, command);

  if (block->first < 0) {
    // A new list: the system's entries, then this one.
    QStringList listed;
    if (const std::optional<Block> system = FindBlock(Lines(defaults), u'*' + kKey, nullptr)) {
      for (const Entry& other : system->entries) {
        if (other.program != program) listed << other.text;
      }
    }
    QString text = file;
    if (!text.isEmpty() && !text.endsWith(u'\n')) text += u'\n';
    text += u"programs:\t\t\\\n"_s;
    for (const QString& other : listed) text += EntryLine(other, true) + u'\n';
    return ProgramsEdit{text + EntryLine(entry, false) + u'\n', true};
  }

  const Entry* disabled = nullptr;
  for (const Entry& other : block->entries) {
    if (other.program != program) continue;
    if (!other.disabled) return ProgramsEdit{file, false};
    if (disabled == nullptr) disabled = &other;
  }
  if (disabled != nullptr) {
    if (!Editable(*disabled, error)) return std::nullopt;
    const Piece& piece = disabled->pieces.first();
    QString& line = lines[piece.line];
    line.remove(line.indexOf(u'-', piece.start), 1);
    return ProgramsEdit{lines.join(u'\n'), true};
  }

  // A new last entry, after a separator for the one before it.
  QString& last = lines[block->last];
  const bool key_line = block->last == block->first;
  const qsizetype content = key_line ? last.indexOf(kKey) + kKey.size() : 0;
  if (IsBlank(QStringView(last).mid(content)) && !key_line) {
    last = EntryLine(entry, false);
  } else {
    QString kept = last;
    while (kept.endsWith(u' ') || kept.endsWith(u'\t') || kept.endsWith(u'\r')) kept.chop(1);
    const bool empty_value = IsBlank(QStringView(kept).mid(content));
    if (!empty_value && !kept.endsWith(kSeparator)) kept += kSeparator;
    last = kept + (empty_value ? u"\t\t\\"_s : u"\\"_s);
    lines.insert(block->last + 1, EntryLine(entry, false));
  }
  return ProgramsEdit{lines.join(u'\n'), true};
}

std::optional<ProgramsEdit> RemoveXScreenSaverProgram(const QString& file, const QString& command, QString* error) {
  const QString program = ProgramOf(command);
  QStringList lines = Lines(file);
  const std::optional<Block> block = FindBlock(lines, kKey, error);
  if (!block) return std::nullopt;
  QList<const Entry*> found;
  for (const Entry& entry : block->entries) {
    if (entry.program != program) continue;
    if (!Editable(entry, error)) return std::nullopt;
    found << &entry;
  }
  if (found.isEmpty()) return ProgramsEdit{file, false};

  qsizetype last = block->last;
  // From the bottom up, so that the places found stay valid.
  for (auto it = found.crbegin(); it != found.crend(); ++it) {
    const Piece& piece = (*it)->pieces.first();
    QString& line = lines[piece.line];
    const bool alone = piece.line != block->first && IsBlank(QStringView(line).left(piece.start)) &&
                       IsBlank(QStringView(line).mid(piece.next, ContentEnd(line) - piece.next));
    if (!alone) {
      line.remove(piece.start, piece.next - piece.start);
      continue;
    }
    lines.removeAt(piece.line);
    const bool ended_list = piece.line == last;
    --last;
    // The line before ends the list now.
    if (ended_list) lines[last].truncate(ContentEnd(lines[last]));
  }
  return ProgramsEdit{lines.join(u'\n'), true};
}

}  // namespace pivlo
