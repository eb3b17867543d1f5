#include "core/ProjectTypes.h"

namespace pivlo {

TextStyle DefaultTextStyle(int slot, const QString& font_name) {
  TextStyle style;
  style.font_name = font_name;
  style.start_color = Rgb(255, 255, 255);
  style.end_color = Rgb(0, 0, 255);
  style.border_color = Rgb(1, 1, 1);
  style.size = 56;
  style.align = 4;
  style.border_width = 2;
  style.style_flags = 1;
  switch (slot) {
    case kCaptionSlot: style.align = 8; break;
    case kHeadlineSlot:
      style.start_color = Rgb(255, 0, 0);
      style.end_color = Rgb(255, 255, 0);
      style.size = 64;
      style.pattern = 6;
      break;
    case kTitleSlot:
      style.size = 120;
      style.border_width = 3;
      break;
    default: break;  // lyrics
  }
  return style;
}

void TakeHeadlineStyle(ImageEntry& entry, const TextStyle& style) {
  entry.head_size = style.size;
  entry.head_pattern = style.pattern;
  entry.head_border = style.border_width;
  entry.head_style = style.style_flags;
  entry.head_start_color = style.start_color;
  entry.head_end_color = style.end_color;
  entry.head_border_color = style.border_color;
}

TextStyle HeadlineStyle(const ImageEntry& entry, const TextStyle& style) {
  TextStyle own = style;
  own.size = entry.head_size;
  own.pattern = entry.head_pattern;
  own.border_width = entry.head_border;
  own.style_flags = entry.head_style;
  own.start_color = entry.head_start_color;
  own.end_color = entry.head_end_color;
  own.border_color = entry.head_border_color;
  return own;
}

}  // namespace pivlo
