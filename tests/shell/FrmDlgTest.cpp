#include "shell/FrmDlg.h"

#include "builder/basReplaceIcon.h"
#include "core/AppFolders.h"
#include "widgets/ShellPrompter.h"

#include "PeFixtures.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QAbstractItemView>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(PreviewSize, FitsLargePicturesIntoTheAreaAndKeepsSmallOnes) {
  const QSize area(200, 150);
  const struct {
    QSize picture;
    QSize shown;
  } cases[] = {
      {{4000, 3000}, {200, 150}},  // as wide as the area
      {{100, 80}, {100, 80}},      // its own size
      {{600, 3000}, {30, 150}},    // portrait: as high as the area
      {{150, 150}, {150, 150}},    // square and within it
      {{300, 100}, {200, 66}},
      {{250, 400}, {93, 150}},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewSize(c.picture, area), c.shown) << c.picture.width();
}

class FrmDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_folder_ = ApplicationFolder();
    SetApplicationFolder(app_.Path(QString()));
  }
  void TearDown() override { SetApplicationFolder(previous_folder_); }

  QString Picture(const QString& name, QSize size, const char* format) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    return files_.Write(name, test::Encoded(picture, format));
  }

  static QStringList Labels(const FrmDlg& panel) {
    return {panel.LblStyle->text(), panel.LblW->text(), panel.LblH->text(), panel.LblColor->text(),
            panel.LblLength->text()};
  }
  static QStringList EmptyLabels() { return {u"格式"_s, u"长度"_s, u"高度"_s, u"色深"_s, u"文件大小"_s}; }

  test::TempFolder app_;
  test::TempFolder files_;
  QString previous_folder_;
};

TEST_F(FrmDlgTest, ThePicturePanelShowsTheFactsAndAPreviewCentredInItsArea) {
  FrmDlg panel(FilePreview::kPicture, nullptr);
  EXPECT_EQ(Labels(panel), EmptyLabels());
  const QSize area = FrmDlg::LargestPreview();
  const struct {
    QString path;
    QString format;
    QSize size;
    QSize shown;
  } cases[] = {
      {Picture(u"large.png"_s, {400, 300}, "PNG"), u"PNG"_s, {400, 300}, area},
      {Picture(u"small.jpg"_s, {100, 80}, "JPG"), u"JPG"_s, {100, 80}, {100, 80}},
      {Picture(u"tall.bmp"_s, {60, 300}, "BMP"), u"BMP"_s, {60, 300}, {30, 150}},
  };
  for (const auto& c : cases) {
    panel.SelectionChanged(c.path);
    EXPECT_EQ(panel.LblStyle->text(), u"格式     "_s + c.format);
    EXPECT_EQ(panel.LblW->text(), u"长度     "_s + QString::number(c.size.width()));
    EXPECT_EQ(panel.LblH->text(), u"高度     "_s + QString::number(c.size.height()));
    EXPECT_TRUE(panel.LblColor->text().startsWith(u"色深     "_s) && panel.LblColor->text().endsWith(u" 位"_s));
    const double kilobytes = double(QFileInfo(c.path).size()) / 1024;
    EXPECT_EQ(panel.LblLength->text(), u"文件大小 "_s + QString::number(int(kilobytes * 10) / 10.0, 'f', 1) + u'K');
    EXPECT_FALSE(panel.PicDlg->isHidden());
    EXPECT_EQ(panel.PicDlg->size(), c.shown) << c.path.toStdString();
    // Centred in the area, which starts inside the frame's 2-pixel border.
    EXPECT_EQ(panel.PicDlg->geometry().center(), QRect(QPoint(2, 2), area).center()) << c.path.toStdString();
    const QRgb middle = panel.PicDlg->pixmap().toImage().pixel(c.shown.width() / 2, c.shown.height() / 2);
    EXPECT_TRUE(qBlue(middle) > 120 && qRed(middle) < 10) << "the picture's own blue";
  }

  // A frame package, a file that is no picture, a path naming nothing: an empty panel.
  const QByteArray png = test::Encoded(QImage(8, 8, QImage::Format_RGB32), "PNG");
  for (const QString& path : {files_.Write(u"gold.FRAME"_s, png), files_.Write(u"notes.txt"_s, "just text"),
                              files_.Path(u"gone.png"_s), u"a.png"_s}) {
    panel.SelectionChanged(cases[0].path);
    panel.SelectionChanged(path);
    EXPECT_EQ(Labels(panel), EmptyLabels()) << path.toStdString();
    EXPECT_TRUE(panel.PicDlg->isHidden());
  }
}

TEST_F(FrmDlgTest, TurningThePreviewOffClearsThePanelAndOnShowsTheFileAgain) {
  FrmDlg panel(FilePreview::kPicture, nullptr);
  const QString path = Picture(u"photo.png"_s, {120, 90}, "PNG");
  panel.SelectionChanged(path);
  panel.ChkDlg->setChecked(false);
  EXPECT_EQ(Labels(panel), EmptyLabels());
  panel.SelectionChanged(path);
  EXPECT_EQ(Labels(panel), EmptyLabels()) << "no preview while it is off";
  panel.ChkDlg->setChecked(true);
  EXPECT_EQ(panel.LblW->text(), u"长度     120"_s);
  EXPECT_FALSE(panel.PicDlg->isHidden());
}

TEST_F(FrmDlgTest, TheIconPanelListsTheImagesOfIconsAndProgramsAndWritesTheChosenOne) {
  FrmDlg panel(FilePreview::kIcon, nullptr);
  const QString ico = files_.Write(u"red.ico"_s, test::IconFileBytes(32, 32, test::SolidIconImage(qRgb(255, 0, 0))));
  test::PeLayout layout;
  layout.icons = {test::PeIcon{1, {0x409}, test::SolidIconImage(qRgb(255, 0, 0))}};
  layout.groups = {test::PeGroup{1, 0x409, {1}}};
  const QString exe = files_.Write(u"tool.exe"_s, test::BuildPe(layout).bytes);

  for (const QString& path : {ico, exe}) {
    panel.SelectionChanged(path);
    ASSERT_EQ(panel.ListIcon->count(), 1) << path.toStdString();
    EXPECT_EQ(panel.ListIcon->item(0)->text(), u"图标 - 001  32*32   32位"_s);
    EXPECT_EQ(panel.ListIcon->currentRow(), 0);
    const std::optional<IconImageData> written = ReadIconFile(TempIconPath());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->image, test::SolidIconImage(qRgb(255, 0, 0)));
    const QImage shown = panel.PicIcon->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_EQ(shown.pixelColor(16, 16), QColor(Qt::red));
  }

  // A shortcut is not scanned; a file without icons empties the list and takes back the
  // image the last file wrote.
  panel.SelectionChanged(files_.Write(u"tool.LNK"_s, test::SolidIconImage(qRgb(255, 0, 0))));
  EXPECT_EQ(panel.ListIcon->count(), 1);
  panel.SelectionChanged(files_.Write(u"plain.dll"_s, QByteArray(4096, 'x')));
  EXPECT_EQ(panel.ListIcon->count(), 0);
  EXPECT_FALSE(QFile::exists(TempIconPath()));
}

// Hands the open dialog to `use` once it is up; `use` closes it.
void WithOpenDialog(const std::function<void(QFileDialog&)>& use) {
  QTimer::singleShot(0, [use] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    use(*dialog);
  });
}

TEST_F(FrmDlgTest, TheDialogShowsThePanelBelowItsControlsEveryTimeAndKeepsItsSize) {
  ShellPrompter prompter;
  prompter.SetFilePanel(AttachFilePanel);
  const QString path = Picture(u"photo.png"_s, {400, 300}, "PNG");
  FileDialogOptions options;
  options.title = u"选择图片"_s;
  options.start_folder = files_.Path(QString());
  options.preview = FilePreview::kPicture;

  QSize opened;
  for (int round = 0; round < 2; ++round) {
    WithOpenDialog([&](QFileDialog& dialog) {
      opened = dialog.size();
      auto* panel = dialog.findChild<FrmDlg*>();
      ASSERT_NE(panel, nullptr);
      // A click on the file, once the folder is read, makes it the current one.
      auto* files = dialog.findChild<QFileSystemModel*>();
      auto* view = dialog.findChild<QAbstractItemView*>(u"listView"_s);
      ASSERT_TRUE(files != nullptr && view != nullptr);
      EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(files->index(files->rootPath())) > 0; }, 5000));
      view->setCurrentIndex(files->index(path));
      EXPECT_EQ(panel->LblW->text(), u"长度     400"_s);
      EXPECT_GT(panel->width(), dialog.width() * 9 / 10) << "the panel takes the dialog's width";
      dialog.resize(1000, 720);
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    EXPECT_EQ(prompter.GetOpenFileNames(options), QStringList{path});
    if (round == 0) {
      const int room = QApplication::primaryScreen()->availableSize().width() * 9 / 10;
      EXPECT_GE(opened.width(), qMin(900, room)) << "wide enough to read its columns";
    }
  }
  EXPECT_EQ(opened, QSize(1000, 720)) << "the size it was left at";

  // Without a preview there is no panel.
  options.preview = FilePreview::kNone;
  WithOpenDialog([](QFileDialog& dialog) {
    EXPECT_EQ(dialog.findChild<FrmDlg*>(), nullptr);
    QMetaObject::invokeMethod(&dialog, "reject");
  });
  EXPECT_TRUE(prompter.GetOpenFileNames(options).isEmpty());
}

}  // namespace
}  // namespace pivlo
