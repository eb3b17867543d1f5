#include "shell/CommandTexts.h"

#include <QCoreApplication>

namespace pivlo {
namespace {

// The translation context of the texts below.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::FrmMain)
};

}  // namespace

bool IsPictureButtonInUse(int index) {
  return (index >= 0 && index <= 44 && (index < 14 || index > 17)) || index == kIconButton;
}

QString PageButtonLabel(int index) {
  switch (index) {
    case 0: return Texts::tr("创建屏保");
    case 1: return Texts::tr("编辑图片");
    case 2: return Texts::tr("编辑音乐");
    case 3: return Texts::tr("设置背景");
    case 4: return Texts::tr("静态文字");
    case 5: return Texts::tr("动态文字");
    case 6: return Texts::tr("切换特效");
    case 7: return Texts::tr("设置歌词");
    case 8: return Texts::tr("片头片尾");
    case 9: return Texts::tr("屏保信息");
    case 10: return Texts::tr("其他设定");
    case 11: return Texts::tr("预览屏保");
    case 12: return Texts::tr("打开配置");
    case 13: return Texts::tr("保存配置");
    default: return {};
  }
}

QString ButtonToolTip(int index) {
  switch (index) {
    case 0: return Texts::tr("创建屏幕保护文件 ");
    case 1: return Texts::tr("添加、删除和排列图片 ");
    case 2: return Texts::tr("添加、删除和排列背景音乐 ");
    case 3: return Texts::tr("为屏幕保护背景选择颜色、图片或轮廓 ");
    case 4: return Texts::tr("编辑静态文字并调整文字的屏幕位置 ");
    case 5: return Texts::tr("编辑动态文字和选择动态文字特效 ");
    case 6: return Texts::tr("选择随机使用的图片切换特效 ");
    case 7: return Texts::tr("添加并设置歌词 ");
    case 8: return Texts::tr("编辑屏幕保护的片头或片尾 ");
    case 9: return Texts::tr("编辑屏幕保护信息，包括名称、作者、email、网站、说明和版权 ");
    case 10: return Texts::tr("其他屏幕保护设置 ");
    case 11: return Texts::tr("预览测试当前屏幕保护，不会创建正式屏保文件 ");
    case 12: return Texts::tr("打开屏幕保护的配置文件 ");
    case 13: return Texts::tr("把屏幕保护的设置内容保存为配置文件 ");
    case 18: return Texts::tr("全屏幕预览当前图片 ");
    case 19: return Texts::tr("添加一个文件夹里面的图片到屏幕保护中 ");
    case 20: return Texts::tr("添加图片到屏幕保护中 ");
    case 21: return Texts::tr("从列表中删除当前选中的图片 ");
    case 22: return Texts::tr("将当前选中的图片在列表顺序中上移一位 ");
    case 23: return Texts::tr("将当前选中的图片在列表顺序中下移一位 ");
    case 24: return Texts::tr("从列表中清除所有图片 ");
    case 25: return Texts::tr("添加背景音乐(.mp3, .wma, .wav, .mid)到屏幕保护中 ");
    case 26: return Texts::tr("从列表中删除当前选中的音乐文件 ");
    case 27: return Texts::tr("将当前选中的音乐文件在列表顺序中上移一位 ");
    case 28: return Texts::tr("将当前选中的音乐文件在列表顺序中下移一位 ");
    case 29: return Texts::tr("从列表中清除所有音乐文件 ");
    case 30: return Texts::tr("选择一张图片作为屏幕保护的背景 ");
    case 31: return Texts::tr("选择静态文字的大小、颜色等 ");
    case 32: return Texts::tr("选中所有图片切换特效 ");
    case 33: return Texts::tr("不选中任何图片切换特效 ");
    case 34: return Texts::tr("选择一张需要在片尾显示的图片 ");
    case 35: return Texts::tr("设置动态歌词字体 ");
    case 36: return Texts::tr("选择动态文字的大小、颜色等 ");
    case 37: return Texts::tr("选择一张需要在片头显示的图片 ");
    case 38: return Texts::tr("选择一张图片在打开屏幕保护时显示的Logo图片 ");
    case 39: return Texts::tr("指定一個目录让程序自动寻找对应的歌词文件 ");
    case 40: return Texts::tr("选择歌词文字的大小、颜色等 ");
    case 41: return Texts::tr("选择片头或片尾文字的大小、颜色等 ");
    case 42: return Texts::tr("把静态文字和位置应用到所有已存在的图片 ");
    case 43: return Texts::tr("为每张图片设置不同的持续/间隔时间 ");
    case 44: return Texts::tr("选择透明PNG图片作为相框 ");
    case 50: return Texts::tr("为完整屏幕保护文件自定义一个图标 ");
    default: return {};
  }
}

QString GradientColorToolTip() { return Texts::tr("点击设置背景渐变颜色"); }
QString SolidColorToolTip() { return Texts::tr("点击设置背景颜色"); }

QString SyncToolTip() {
  return Texts::tr(
      "程序将根据所有歌曲的总长度和图片的总数量自动计算出一个平均值，作为两张图片的间隔时间，歌曲超过20首时此选项无效");
}

QString ExportPasswordToolTip() { return Texts::tr("导出密码不是必需的，也可以不填"); }
QString HeadlineToolTip() { return Texts::tr("输入需要显示的动态文字，不支持多行文本"); }
QString CaptionToolTip() { return Texts::tr("输入图片的静态说明文字，允许多行文本"); }

QString TitleTextToolTip() {
  return Texts::tr("你可以在这里写文字短语，如果你用'回车(Enter)'键来分隔它们，程序将逐一显示每个短语");
}

QString EffectListToolTip(const QString& status_text) {
  return status_text + QStringLiteral(": ") +
         Texts::tr("你仍然可以继续选择这些效果，但如果目标机器不支持DX9显卡硬件加速，程序将只能选择最简单的几种效果来代替");
}

QStringList PhotoScaleChoices() {
  return {Texts::tr("正常居中"), Texts::tr("原始大小位置随机"), Texts::tr("原始大小平铺"), Texts::tr("全屏保持宽高比例"),
          Texts::tr("全屏拉伸")};
}

QStringList GradientChoices() {
  return {Texts::tr("水平"), Texts::tr("垂直"), Texts::tr("左上到右下"), Texts::tr("右上到左下")};
}

QStringList BackgroundPictureChoices() { return {Texts::tr("原始大小平铺"), Texts::tr("全屏拉伸")}; }

QStringList LyricStyleChoices() {
  return {Texts::tr("一行静态字"), Texts::tr("两行静态字"), Texts::tr("一行动态字 (并不完全对应，仅模拟)"),
          Texts::tr("两行动态字 (并不完全对应，仅模拟)")};
}

QStringList TitleStyleChoices() { return {Texts::tr("无"), Texts::tr("淡入淡出"), Texts::tr("从左到右")}; }

QStringList HeadlineEffectChoices() {
  return {Texts::tr("淡入淡出"),   Texts::tr("从左到右"), Texts::tr("滑入显示(4)(#)"),
          Texts::tr("颤抖(#)"),    Texts::tr("伸缩显示(#)"), Texts::tr("放大(#)"),
          Texts::tr("缩小(#)"),    Texts::tr("跳出来(#)"), Texts::tr("文字聚集(#)")};
}

QStringList TransitionChoices() {
  return {Texts::tr("随机线条切换(2)"),     Texts::tr("卷轴切换一(4)(#)"), Texts::tr("卷轴切换二(2)(#)"),
          Texts::tr("矩形切换(2)"),         Texts::tr("花式方格切换"),     Texts::tr("集合分散切换(2)(#)"),
          Texts::tr("百叶窗切换(2)"),       Texts::tr("滚动切换(4)(#)"),   Texts::tr("旋转飞散(2)"),
          Texts::tr("卷帘切换一(4)"),       Texts::tr("卷帘切换二(2)"),    Texts::tr("滑入切换(4)(#)"),
          Texts::tr("斜向滑入切换(4)(#)"),  Texts::tr("推拉切换(4)(#)"),   Texts::tr("交替切换(4)(#)"),
          Texts::tr("淡入淡出"),            Texts::tr("缩放切换(2)(#)"),   Texts::tr("变焦切换(2)(#)"),
          Texts::tr("揭页切换(2)(#)"),      Texts::tr("负片切换(#)"),      Texts::tr("垂帘切换(#)"),
          Texts::tr("旋转方块(2)"),         Texts::tr("卷帘切换三(2)")};
}

QString NoFrameEntry() { return Texts::tr("无"); }
QString TestFrameEntry() { return Texts::tr("测试用相框"); }
QString CustomFrameEntry() { return Texts::tr("自定义 PNG 相框..."); }
QString DownloadFramesEntry() { return Texts::tr("更多相框下载..."); }

}  // namespace pivlo
