#pragma once

#include "core/ProjectModel.h"

#include <QString>
#include <QStringList>

namespace pivlo {

// The font dialog without its widgets: the lists it offers for a kind of text, the working
// copy of the style being edited, and what OK stores back. Closing any other way discards
// the working copy.
class FontDialogModel {
 public:
  // The kinds of text: the four style slots, and the animated lyric line, which has only
  // its fill pattern and two colours of its own (the rest comes from the lyric slot).
  enum Kind { kCaption = 1, kHeadline = 2, kLyric = 3, kTitle = 4, kLyricLine = 5 };

  FontDialogModel(ProjectModel& model, int kind);

  int StyleKind() const { return kind_; }
  const TextStyle& WorkingStyle() const { return working_; }

  // The lists' entries: sizes 16, 24, ... up to 200 for titles and 112 otherwise; the nine
  // alignments; the fill patterns (no rainbow for headlines); border widths 0 to 5; the
  // four style flags.
  QStringList SizeEntries() const;
  static QStringList AlignEntries();
  QStringList PatternEntries() const;
  static QStringList BorderEntries();
  static QStringList StyleEntries();
  // Only captions choose an alignment; the lyric line chooses only pattern and colours.
  bool AlignEnabled() const { return kind_ == kCaption; }
  bool FullStyleEnabled() const { return kind_ != kLyricLine; }

  // The list positions that show the working values (-1 when not offered).
  int SizePosition() const;
  int PatternPosition() const;

  // A click on a list stores its value in the working copy.
  void ChooseFont(const QString& family) { working_.font_name = family; }
  void ChooseSize(int position);
  void ChooseAlign(int position) { working_.align = position; }
  void ChoosePattern(int position);
  void ChooseBorder(int position) { working_.border_width = position; }
  void ChooseStyle(int position) { working_.style_flags = position; }
  void ChooseStartColor(Colour colour) { working_.start_color = colour; }
  void ChooseEndColor(Colour colour) { working_.end_color = colour; }
  void ChooseBorderColor(Colour colour) { working_.border_color = colour; }

  // OK: the working copy goes into the style of the kind; for headlines also into the
  // selected picture's own headline fields (`selected` is 0-based, -1 none).
  void Store(qsizetype selected);

 private:
  int SmallestSize() const { return 16; }
  int LargestSize() const { return kind_ == kTitle ? 200 : 112; }

  ProjectModel& model_;
  int kind_;
  TextStyle working_;
};

}  // namespace pivlo
