#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace pivlo {

// A colour as red + 256 × green + 65536 × blue (0x00BBGGRR). Negative values name system
// colours and are kept as they are.
using Colour = qint32;
constexpr Colour Rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

// A box on the editor's screen, in pixels.
struct ScreenBox {
  qint32 x = 0;
  qint32 y = 0;
  qint32 w = 0;
  qint32 h = 0;
  friend bool operator==(const ScreenBox&, const ScreenBox&) = default;
};

// How one kind of text is drawn.
struct TextStyle {
  Colour start_color = 0;
  Colour end_color = 0;
  Colour border_color = 0;
  QString font_name;
  qint32 size = 0;          // em size in pixels of the screen
  qint32 align = 0;         // 0..8: horizontal = value mod 3, vertical = value div 3
  qint32 pattern = 0;       // fill pattern, even 0..18; odd values draw only the outline
  qint32 border_width = 0;  // 0..5 pixels, 0 no outline
  qint32 style_flags = 0;   // 0 regular, 1 bold, 2 italic, 3 bold italic
  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// The four style slots of a project; the slot number is part of the style keys.
enum TextSlot { kCaptionSlot = 1, kHeadlineSlot = 2, kLyricSlot = 3, kTitleSlot = 4 };
inline constexpr int kTextSlotCount = 4;

// The style a slot starts with, drawn in the given font.
TextStyle DefaultTextStyle(int slot, const QString& font_name);

// The lyric styles (LyricStyle 0..3): one line or two, static or swept by the line's time.
constexpr bool IsTwoLineLyricStyle(qint32 style) { return style == 1 || style == 3; }
constexpr bool IsSweptLyricStyle(qint32 style) { return style == 2 || style == 3; }

// One picture of the show.
struct ImageEntry {
  QString file;
  float slide_duration = 0;  // seconds; 0: the global time applies
  qint32 pos_x = 0;          // picture offset, pixels
  qint32 pos_y = 0;
  QString caption;           // several lines
  ScreenBox caption_box;
  QString headline;          // one line
  ScreenBox headline_box;
  qint32 head_dynamic_style = 0;  // headline effect 0..8
  // The headline's own copy of the headline style's values.
  qint32 head_size = 0;
  qint32 head_pattern = 0;
  qint32 head_border = 0;
  qint32 head_style = 0;
  Colour head_start_color = 0;
  Colour head_end_color = 0;
  Colour head_border_color = 0;
  friend bool operator==(const ImageEntry&, const ImageEntry&) = default;
};

// Gives the picture's headline the style's size, pattern, border width, style flags and
// colours.
void TakeHeadlineStyle(ImageEntry& entry, const TextStyle& style);
// The picture's headline as it is drawn: the style's font and alignment with the
// headline's own copy of the other values.
TextStyle HeadlineStyle(const ImageEntry& entry, const TextStyle& style);

// One song of the show.
struct SongEntry {
  QString file;
  float duration = 0;  // seconds
  friend bool operator==(const SongEntry&, const SongEntry&) = default;
};

// The number of picture transitions the show can pick from (the positions of StyleList).
inline constexpr int kTransitionCount = 23;
// The number of screensaver information texts (TxtSetting boxes 0..5).
inline constexpr int kInfoCount = 6;
inline constexpr int kInfoName = 0;

// The global settings of a project. Values the editor keeps in its controls live here as
// the controls hold them (the timing boxes as texts, the transition ticks).
struct ProjectSettings {
  QString title_opening = QStringLiteral("屏幕保护\r\n");
  QString title_ending = QStringLiteral("完\r\n");
  bool play_photo_random = false;
  bool ignore_mouse_move = false;
  bool show_cursor = false;
  bool mute_sound = false;
  bool enable_transition = true;
  bool enable_headline_effect = true;
  bool enable_opening = false;
  bool enable_ending = false;
  bool filename_as_caption = false;
  bool is_package = false;
  bool enable_caption = true;
  bool enable_export = false;
  QString lyric_folder;
  qint32 img_draw_scale = 3;            // 0..4, the positions of ComboPhotoScale
  qint32 background_draw_scale = 2;     // 2 tiled, 4 stretched
  qint32 background_gradient_mode = 1;  // 0..3
  bool enable_lyric = true;
  qint32 title_style = 1;       // 0 none, 1 fade, 2 left to right
  bool enable_sync = false;
  qint32 play_music_order = 0;  // 0 in order, 1 shuffled, 2 one song at random
  QString background_kind = QStringLiteral("1");  // "1" colour, "2" gradient, "3" picture
  QString export_password;
  Colour solid_color = Rgb(0, 0, 0);
  Colour begin_color = Rgb(255, 255, 128);
  Colour end_color = Rgb(255, 0, 0);
  bool is_show_tip = true;
  bool enable_open_folder = true;
  qint32 picture_frame_num = 0;  // 0 none, -1 own PNG, -2 test frame, 1.. package frames
  QString picture_frame_image;
  std::array<TextStyle, kTextSlotCount> styles;  // slots 1..4 at 0..3
  ScreenBox lyric_box;
  ScreenBox title_box;
  qint32 lyric_dynamic_pattern = 6;
  Colour lyric_dynamic_start_color = Rgb(255, 0, 0);
  Colour lyric_dynamic_end_color = Rgb(255, 255, 0);
  qint32 lyric_style = 1;  // 0..3, the positions of ListLyricStyle
  std::array<QString, kInfoCount> info = {QStringLiteral("我的屏幕保护")};
  QString time_text = QStringLiteral("10");          // TxtTime
  QString opening_time_text = QStringLiteral("8");   // TxtOpeningTime
  QString ending_time_text = QStringLiteral("8");    // TxtEndingTime
  std::array<bool, kTransitionCount> transitions = AllTransitions();  // StyleList ticks
  QString background_picture;
  QString opening_image;
  QString ending_image;
  QString logo_image;

  TextStyle& Style(int slot) { return styles[slot - 1]; }
  const TextStyle& Style(int slot) const { return styles[slot - 1]; }

  static constexpr std::array<bool, kTransitionCount> AllTransitions() {
    std::array<bool, kTransitionCount> all{};
    all.fill(true);
    return all;
  }
};

}  // namespace pivlo
