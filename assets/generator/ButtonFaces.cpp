// The faces of the main window's picture buttons, k + 1.png for button k. The page buttons
// (0 to 13) carry a coloured tile, the caption is written under them by the window; the
// small action buttons (18 and above) carry a slate glyph over the button's own colours.

#include "Assets.h"
#include "Drawing.h"
#include "Glyphs.h"

#include <QLinearGradient>

namespace pivlo::assets {
namespace {

constexpr int kPageFace = 48;
constexpr int kActionFace = 24;

struct PageFace {
  int button;
  Glyph glyph;
  QRgb top;
  QRgb bottom;
};

const PageFace kPageFaces[] = {
    {0, glyph::MonitorSparkle, 0xFFA94D, 0xF0652F},  // 创建屏保
    {1, glyph::Picture, 0x5AAEFF, 0x2170E6},         // 编辑图片
    {2, glyph::Note, 0xB48CFF, 0x7A42E4},            // 编辑音乐
    {3, glyph::Palette, 0x45D6C4, 0x139E90},         // 设置背景
    {4, glyph::StaticText, 0x8592FF, 0x4A59DA},      // 静态文字
    {5, glyph::MovingText, 0xEE82F7, 0xBC2ACC},      // 动态文字
    {6, glyph::Transition, 0x66D67A, 0x289E45},      // 切换特效
    {7, glyph::Microphone, 0xFF8FA6, 0xE24765},      // 设置歌词
    {8, glyph::Clapper, 0x74839F, 0x3E4A64},         // 片头片尾
    {9, glyph::Info, 0x4CC6FA, 0x0782C4},            // 屏保信息
    {10, glyph::Gear, 0xADB3BF, 0x687080},           // 其他设定
    {11, glyph::MonitorPlay, 0x3ED9A0, 0x06935F},    // 预览屏保
    {12, glyph::FolderOpen, 0xF7C873, 0xD68A22},     // 打开配置
    {13, glyph::Floppy, 0x5E86C2, 0x2A4677},         // 保存配置
};

struct ActionFace {
  int button;
  Glyph glyph;
  QRgb accent;  // the glyph's own accent
  Badge badge = Badge::None;
  QRgb fill = 0xE4EDF8;
};

constexpr QRgb kBlue = 0x2F7CF6;
constexpr QRgb kGreen = 0x22A35A;
constexpr QRgb kRed = 0xE0483E;
constexpr QRgb kSun = 0xF5A623;
constexpr QRgb kRedFill = 0xFDE3E1;

const ActionFace kActionFaces[] = {
    {18, glyph::Expand, kBlue},                          // full screen
    {19, glyph::Folder, kSun, Badge::Add},               // add a folder of pictures
    {20, glyph::Picture, kSun, Badge::Add},              // add pictures
    {21, glyph::Picture, kSun, Badge::Remove},           // remove the picture
    {22, glyph::ArrowUp, kBlue},                         // picture up
    {23, glyph::ArrowDown, kBlue},                       // picture down
    {24, glyph::Trash, kRed, Badge::None, kRedFill},     // clear the pictures
    {25, glyph::Note, kBlue, Badge::Add},                // add songs
    {26, glyph::Note, kBlue, Badge::Remove},             // remove the song
    {27, glyph::ArrowUp, kBlue},                         // song up
    {28, glyph::ArrowDown, kBlue},                       // song down
    {29, glyph::Trash, kRed, Badge::None, kRedFill},     // clear the songs
    {30, glyph::Picture, kSun, Badge::Folder},           // background picture
    {31, glyph::Font, kBlue},                            // caption font
    {32, glyph::CheckAll, kGreen},                       // tick every transition
    {33, glyph::UncheckAll, kGreen},                     // untick every transition
    {34, glyph::Picture, kSun, Badge::Folder},           // ending picture
    {35, glyph::Font, kBlue},                            // lyric line font
    {36, glyph::Font, kBlue},                            // headline font
    {37, glyph::Picture, kSun, Badge::Folder},           // opening picture
    {38, glyph::Picture, kSun, Badge::Folder},           // logo picture
    {39, glyph::Folder, kSun, Badge::Search},            // lyric folder
    {40, glyph::Font, kBlue},                            // lyric font
    {41, glyph::Font, kBlue},                            // title font
    {42, glyph::CopyToAll, kBlue, Badge::Check},         // caption to every picture
    {43, glyph::Clock, 0xF08C1A},                        // per-picture times
    {44, glyph::PictureFrame, kSun, Badge::Folder},      // PNG frame
};

QColor BadgeColor(Badge badge) {
  switch (badge) {
    case Badge::Add:
    case Badge::Check: return QColor(kGreen);
    case Badge::Remove: return QColor(kRed);
    default: return QColor(kBlue);
  }
}

QImage DrawPageFace(const PageFace& face) {
  QImage image = NewImage(kPageFace, kPageFace);
  QPainter p(&image);
  Smooth(p);
  QPainterPath tile;
  tile.addRoundedRect(QRectF(3, 2, 42, 42), 11, 11);
  DrawSoftShadow(p, tile, QPointF(0, 1.5), 1, 70);
  QLinearGradient fill(0, 2, 0, 44);
  fill.setColorAt(0, QColor(face.top));
  fill.setColorAt(1, QColor(face.bottom));
  p.setPen(QPen(QColor(face.bottom).darker(115), 0.8));
  p.setBrush(fill);
  p.drawPath(tile);
  // A soft gloss over the upper half.
  QLinearGradient gloss(0, 2, 0, 24);
  gloss.setColorAt(0, QColor(255, 255, 255, 80));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawRoundedRect(QRectF(3.5, 2.5, 41, 21), 10.5, 10.5);

  p.translate(10, 9);
  p.scale(28.0 / 24, 28.0 / 24);
  face.glyph(p, GlyphStyle{Qt::white, QColor(255, 255, 255, 70), QColor(QRgb(0xFFE9A0))});
  return image;
}

QImage DrawActionFace(const ActionFace& face) {
  QImage image = NewImage(kActionFace, kActionFace);
  QPainter p(&image);
  Smooth(p);
  face.glyph(p, GlyphStyle{QColor(QRgb(0x3F5069)), QColor(face.fill), QColor(face.accent)});
  DrawBadge(p, face.badge, BadgeColor(face.badge));
  return image;
}

// Button 50 shows the chosen output icon, 32 x 32, centred: its face is the slot around it.
QImage DrawIconSlot() {
  QImage image = NewImage(kPageFace, kPageFace);
  QPainter p(&image);
  Smooth(p);
  QPen dashed(QColor(QRgb(0x8A9BB3)), 1.2);
  dashed.setDashPattern({3, 2.5});
  p.setPen(dashed);
  p.setBrush(QColor(255, 255, 255, 110));
  p.drawRoundedRect(QRectF(3.5, 3.5, 41, 41), 8, 8);
  // A pencil in the corner: the icon can be changed.
  p.translate(37.5, 37.5);
  p.rotate(45);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(QRgb(0x2F7CF6)));
  p.drawRoundedRect(QRectF(-1.8, -7, 3.6, 9), 0.8, 0.8);
  p.setBrush(QColor(QRgb(0xF5C26B)));
  const QPainterPath tip = PolygonPath({{-1.8, 2}, {1.8, 2}, {0, 5.5}});
  p.drawPath(tip);
  return image;
}

QString FaceFile(int button) { return QString::number(button + 1) + QStringLiteral(".png"); }

}  // namespace

void AddButtonFaces(QList<Asset>& assets) {
  for (const PageFace& face : kPageFaces) assets.append({FaceFile(face.button), [face] { return DrawPageFace(face); }});
  for (const ActionFace& face : kActionFaces) {
    assets.append({FaceFile(face.button), [face] { return DrawActionFace(face); }});
  }
  assets.append({FaceFile(50), DrawIconSlot});
}

}  // namespace pivlo::assets
