#pragma once

// The `programs:` list of an XScreenSaver settings file (~/.xscreensaver), edited as text:
// every line outside the entries touched stays as it was. The value runs over lines
// continued by a backslash; its entries are separated by the two characters "\n"; an
// entry may start with "-" (disabled), a visual and a colon ("GL:"), and a quoted name.

#include <QString>

#include <optional>

namespace pivlo {

struct ProgramsEdit {
  QString text;          // the whole new file
  bool changed = false;  // false: the entry already stood as asked
};

// The file with the entry `"NAME"  COMMAND` in its list: a new last entry, or the entry
// that runs the same program (the command's first word) enabled again when disabled,
// never a second copy. A file without a list gets one: the entries of `defaults` (the
// system's list, the lines of its `*programs:` value; may be empty) and then this one.
// Nothing, with the reason in `error`, for a file that cannot be read as such a list.
std::optional<ProgramsEdit> AddXScreenSaverProgram(const QString& file, const QString& name, const QString& command,
                                                   const QString& defaults, QString* error);

// The file without the entries that run the command's program; unchanged when there are
// none.
std::optional<ProgramsEdit> RemoveXScreenSaverProgram(const QString& file, const QString& command, QString* error);

// The entry's text as it stands in a list: `"NAME"  COMMAND`, the name without quotes,
// backslashes and line breaks.
QString XScreenSaverEntry(const QString& name, const QString& command);

}  // namespace pivlo
