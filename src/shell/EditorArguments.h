#pragma once

#include <QString>
#include <QStringList>

namespace pivlo {

// The editor's command line: at most one project file, the one the desktop's file
// association hands it. Qt's own options are gone by the time it is read.
struct EditorArguments {
  QString project;  // absolute, taken from the working folder; empty when none is given
  bool help = false;
  QString error;  // set when the command line makes no sense
};

// `arguments` without the program's name.
EditorArguments ParseEditorArguments(const QStringList& arguments);

QString EditorUsage();

}  // namespace pivlo
