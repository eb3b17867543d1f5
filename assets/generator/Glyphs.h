#pragma once

#include <QColor>
#include <QPainter>

namespace pivlo::assets {

// The colours of a glyph: white on the page buttons' tiles, slate on the small buttons.
struct GlyphStyle {
  QColor line;    // strokes and solid parts
  QColor fill;    // the inside of outlined shapes
  QColor accent;  // the part that tells the action: arrows, checks, the sun
};

// Every glyph draws into a 24 x 24 box at the painter's origin.
using Glyph = void (*)(QPainter&, const GlyphStyle&);

namespace glyph {
void Picture(QPainter& p, const GlyphStyle& s);
void Note(QPainter& p, const GlyphStyle& s);
void Folder(QPainter& p, const GlyphStyle& s);
void FolderOpen(QPainter& p, const GlyphStyle& s);
void ArrowUp(QPainter& p, const GlyphStyle& s);
void ArrowDown(QPainter& p, const GlyphStyle& s);
void Trash(QPainter& p, const GlyphStyle& s);
void Expand(QPainter& p, const GlyphStyle& s);
void Font(QPainter& p, const GlyphStyle& s);
void CheckAll(QPainter& p, const GlyphStyle& s);
void UncheckAll(QPainter& p, const GlyphStyle& s);
void Clock(QPainter& p, const GlyphStyle& s);
void CopyToAll(QPainter& p, const GlyphStyle& s);
void PictureFrame(QPainter& p, const GlyphStyle& s);
void MonitorSparkle(QPainter& p, const GlyphStyle& s);
void MonitorPlay(QPainter& p, const GlyphStyle& s);
void Palette(QPainter& p, const GlyphStyle& s);
void StaticText(QPainter& p, const GlyphStyle& s);
void MovingText(QPainter& p, const GlyphStyle& s);
void Transition(QPainter& p, const GlyphStyle& s);
void Microphone(QPainter& p, const GlyphStyle& s);
void Clapper(QPainter& p, const GlyphStyle& s);
void Info(QPainter& p, const GlyphStyle& s);
void Gear(QPainter& p, const GlyphStyle& s);
void Floppy(QPainter& p, const GlyphStyle& s);
}  // namespace glyph

// A small round sign in the bottom-right corner of a 24 x 24 glyph that adds to its meaning.
enum class Badge { None, Add, Remove, Folder, Search, Check };
void DrawBadge(QPainter& p, Badge badge, const QColor& color);

}  // namespace pivlo::assets
