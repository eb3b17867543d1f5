// The build and preview pipeline from the checks to the finished file, headless: the
// questions come from a script and the shell's work is recorded.

#include "builder/BuildPipeline.h"
#include "builder/HeadScramble.h"
#include "builder/PackageMediaFiles.h"
#include "builder/RuntimeLibrary.h"
#include "builder/ScreensaverPackage.h"
#include "builder/basReplaceIcon.h"
#include "core/AppFolders.h"
#include "core/FileReplacement.h"
#include "core/Progress.h"
#include "core/basPropertyBag.h"

#include "BuildFixtures.h"
#include "FaultInjection.h"
#include "PictureFiles.h"
#include "PeFixtures.h"
#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

class RecordingBuildView : public BuildView {
 public:
  QStringList calls;
  QStringList summaries;
  bool untick_open_folder = false;

  void PointAtAddPictures() override { calls << u"PointAtAddPictures"_s; }
  void SelectSolidBackground() override { calls << u"SelectSolidBackground"_s; }
  bool ShowFinishDialog(const QString& summary, bool open_folder) override {
    summaries << summary;
    return open_folder && !untick_open_folder;
  }
};

class RecordingShell : public ShellServices {
 public:
  QStringList opened;
  QStringList shown;
  QStringList started;        // the program and its arguments, joined by spaces
  QString refuse_to_start;    // the reason a start fails for; empty: starts succeed

  bool OpenWithDefaultAction(const QString& path) override {
    opened << path;
    return true;
  }
  void ShowInFolder(const QString& path) override { shown << path; }
  bool StartProgram(const QString& program, const QStringList& arguments, QString* error) override {
    started << (QStringList{program} + arguments).join(u' ');
    *error = refuse_to_start;
    return refuse_to_start.isEmpty();
  }
};

class BuildPipelineTest : public testing::Test {
 protected:
  BuildPipelineTest() : model_(test::TestEnvironment()) {
    model_.AddPicture(u"/photos/one.jpg"_s);
    model_.AddPicture(u"/photos/two.jpg"_s);
    model_.AddSong(u"/music/song.mp3"_s, 61);
  }

  bool Build(const QString& output) {
    prompter_.save_results.enqueue(output);
    PrepareBuildDialog(model_, state_);
    return StartBuildFromDialog(model_, state_, services_);
  }
  bool Preview() {
    state_.PreviewMode = true;
    return PreviewScreenSaver(model_, state_, services_);
  }

  // At rest, with no work file left beside the output or in Temp/.
  void ExpectRestingAndTidy(const QString& output_folder) {
    EXPECT_TRUE(state_.PreviewMode);
    EXPECT_FALSE(model_.flags.BusyFlag);
    EXPECT_TRUE(SharedBag().IsEmpty());
    EXPECT_TRUE(RegisteredFiles().isEmpty());
    EXPECT_THAT(QDir(TempFolder()).entryList({u"Pivlo.bfq.*"_s}, QDir::Files), testing::IsEmpty());
    for (const QString& name : QDir(output_folder).entryList(QDir::Hidden | QDir::Files)) {
      EXPECT_FALSE(name.startsWith(u'.')) << name.toStdString();
    }
  }

  QByteArray StubPart(const QString& path) {
    const std::optional<PackageTrailer> trailer = ReadPackageTrailer(path);
    return trailer ? test::ReadWholeFile(path).first(trailer->stub) : QByteArray();
  }

  static QStringList ItemNames(const QString& path) {
    QStringList names;
    if (const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(path)) {
      for (const PackageItem& item : package->Items()) names << item.name;
    }
    return names;
  }

  test::BuildFolder folder_;
  ProjectModel model_;
  BuildState state_;
  test::ScriptedPrompter prompter_;
  RecordingBuildView view_;
  RecordingShell shell_;
  BuildServices services_{prompter_, view_, shell_, false, {}, {}};
};

TEST_F(BuildPipelineTest, OnePictureNeverReachesTheRuntimeCheck) {
  QFile::remove(RuntimeLibraryPath());
  model_.RemovePictures({1});
  EXPECT_FALSE(Build(folder_.Path(u"out.scr"_s)));
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{u"请首先添加至少两张图片到屏幕保护中"_s});
  EXPECT_EQ(view_.calls, QStringList{u"PointAtAddPictures"_s});
  EXPECT_TRUE(prompter_.dialogs.isEmpty());
  EXPECT_TRUE(state_.PreviewMode);
  prompter_.save_results.clear();
}

TEST_F(BuildPipelineTest, AMissingEmptyOrChangedRuntimeStopsBeforeAnythingIsWritten) {
  const QByteArray runtime = test::ReadWholeFile(RuntimeLibraryPath());
  QByteArray changed = runtime;
  changed[100] = char(changed[100] ^ 0x20);
  for (const QByteArray& contents : {QByteArray(), changed}) {
    folder_.Write(RuntimeLibraryFileName(), contents);
    for (const bool missing : {true, false}) {
      if (missing) QFile::remove(RuntimeLibraryPath());
      prompter_.messages.clear();
      PrepareBuildDialog(model_, state_);
      EXPECT_FALSE(PreviewScreenSaver(model_, state_, services_));
      ASSERT_EQ(prompter_.messages.size(), 1);
      EXPECT_EQ(prompter_.messages[0].text, RuntimeLibraryPath() + u" 丢失或损坏，请重新安装程序"_s);
      EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::None);
      EXPECT_FALSE(state_.PreviewMode);  // left as it was
      EXPECT_FALSE(model_.flags.BusyFlag);
      EXPECT_FALSE(QFileInfo::exists(TempFolder()));
      EXPECT_FALSE(QFileInfo::exists(OutputFolder()));
      EXPECT_TRUE(prompter_.dialogs.isEmpty());
      if (missing) folder_.Write(RuntimeLibraryFileName(), contents);
    }
  }
}

TEST_F(BuildPipelineTest, APreviewWritesThePreviewPackageAndPlaysItFullScreen) {
  model_.settings.background_kind = u"3"_s;
  model_.settings.background_picture = u"/x"_s;  // too short to name a file
  model_.settings.is_package = false;
  ASSERT_TRUE(Preview());

  EXPECT_EQ(shell_.started, QStringList{PreviewOutputPath() + u" --fullscreen"_s});
  EXPECT_TRUE(shell_.opened.isEmpty());
  EXPECT_TRUE(prompter_.dialogs.isEmpty());
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(view_.calls, QStringList{u"SelectSolidBackground"_s});
  EXPECT_EQ(model_.settings.background_kind, u"1"_s);
  EXPECT_FALSE(model_.settings.is_package);  // the project keeps its flag...
  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(PreviewOutputPath());
  ASSERT_TRUE(package);
  EXPECT_EQ(package->Settings().Get(u"IsPackage"_s), BagValue(true));  // ...the preview says so
  EXPECT_EQ(package->Settings().Get(u"BackGroundSet"_s), BagValue(u"1"_s));
  EXPECT_EQ(StubPart(PreviewOutputPath()), test::BuildFolder::Player());
  EXPECT_TRUE(QFileInfo(PreviewOutputPath()).isExecutable());
  ExpectRestingAndTidy(TempFolder());

  // The next preview replaces it.
  ASSERT_TRUE(Preview());
  EXPECT_EQ(shell_.started.size(), 2);
}

TEST_F(BuildPipelineTest, APreviewWhosePlayerDoesNotStartSaysWhy) {
  shell_.refuse_to_start = u"Permission denied"_s;
  EXPECT_TRUE(Preview());  // the package is written all the same
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{u"无法启动屏幕保护预览：Permission denied"_s});
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(ScreensaverPackage::Open(PreviewOutputPath()));
  ExpectRestingAndTidy(TempFolder());
}

TEST_F(BuildPipelineTest, ABuildAsksWhereThenReportsTheFinishedFile) {
  model_.settings.info[kInfoName] = QString();
  model_.settings.is_package = true;
  model_.settings.transitions.fill(false);
  const QString output = folder_.Path(u"show.scr"_s);
  ASSERT_TRUE(Build(output));

  ASSERT_EQ(prompter_.dialogs.size(), 1);
  const FileDialogOptions& dialog = prompter_.dialogs[0];
  EXPECT_EQ(dialog.title, u"选择保存屏幕保护的位置"_s);
  ASSERT_EQ(dialog.filters.size(), 1);
  EXPECT_EQ(dialog.filters[0].description, u"屏幕保护和屏保(*.exe,*.scr)"_s);
  EXPECT_EQ(dialog.filters[0].patterns, u"*.exe *.scr"_s);
  EXPECT_EQ(dialog.start_folder, OutputFolder());
  EXPECT_EQ(dialog.file_name, u"未命名屏幕保护"_s);
  EXPECT_EQ(dialog.default_suffix, u"exe"_s);
  EXPECT_TRUE(QFileInfo(OutputFolder()).isDir());

  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(output);
  ASSERT_TRUE(package);
  EXPECT_EQ(package->Settings().Get(u"IsPackage"_s), BagValue(false));
  EXPECT_EQ(package->Settings().Get(u"EnableTransition"_s), BagValue(false));
  EXPECT_FALSE(model_.settings.enable_transition);
  EXPECT_EQ(package->Settings().Get(u"TxtSetting(0)"_s), BagValue(u"未命名屏幕保护"_s));
  EXPECT_EQ(StubPart(output), test::BuildFolder::Player());
  EXPECT_TRUE(QFileInfo(output).isExecutable());

  EXPECT_EQ(state_.LastOutputPath, output);
  ASSERT_EQ(view_.summaries.size(), 1);
  EXPECT_EQ(view_.summaries[0], FinishSummaryText(model_, output, QFileInfo(output).size()));
  EXPECT_EQ(shell_.shown, QStringList{output});
  EXPECT_TRUE(shell_.started.isEmpty());
  ExpectRestingAndTidy(folder_.Path(QString()));
}

TEST_F(BuildPipelineTest, AnUntickedOpenFolderBoxOnlyClosesTheDialog) {
  view_.untick_open_folder = true;
  ASSERT_TRUE(Build(folder_.Path(u"show.exe"_s)));
  EXPECT_FALSE(model_.settings.enable_open_folder);
  EXPECT_TRUE(shell_.shown.isEmpty());
}

TEST_F(BuildPipelineTest, CancellingTheSaveDialogReturnsToRest) {
  EXPECT_FALSE(Build(QString()));
  EXPECT_TRUE(view_.summaries.isEmpty());
  ExpectRestingAndTidy(folder_.Path(QString()));
}

TEST_F(BuildPipelineTest, AnExistingOutputIsReplacedOnlyWhenTheUserAgrees) {
  const QString output = folder_.Write(u"show.scr"_s, "old show");
  prompter_.answers.enqueue(MessageAnswer::No);
  EXPECT_FALSE(Build(output));
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{u"文件 'show.scr' 已经存在，要替换为新的文件吗？"_s});
  EXPECT_EQ(test::ReadWholeFile(output), "old show");
  ExpectRestingAndTidy(folder_.Path(QString()));

  prompter_.answers.enqueue(MessageAnswer::Yes);
  ASSERT_TRUE(Build(output));
  EXPECT_TRUE(ScreensaverPackage::Open(output));
}

TEST_F(BuildPipelineTest, AFailedBuildLeavesNoIncompleteFileAndTheOldOneWhole) {
  const QString output = folder_.Write(u"show.scr"_s, "old show");
  QFile::remove(folder_.Path(u"Pivlo.bfq"_s));
  prompter_.answers.enqueue(MessageAnswer::Yes);
  EXPECT_FALSE(Build(output));
  EXPECT_EQ(test::ReadWholeFile(output), "old show");
  EXPECT_EQ(prompter_.MessageTexts().last(), u"无法生成屏幕保护："_s + PlayerStubPath() + u": cannot read"_s);
  EXPECT_EQ(prompter_.messages.last().icon, MessageIcon::Error);
  EXPECT_TRUE(view_.summaries.isEmpty());
  ExpectRestingAndTidy(folder_.Path(QString()));

  EXPECT_FALSE(Preview());
  EXPECT_FALSE(QFileInfo::exists(PreviewOutputPath()));
  EXPECT_TRUE(shell_.started.isEmpty());
  ExpectRestingAndTidy(TempFolder());
}

TEST_F(BuildPipelineTest, AWriteThatFailsNamesItsStepAndKeepsTheOldFile) {
  const QString output = folder_.Write(u"show.scr"_s, "old show");
  prompter_.answers.enqueue(MessageAnswer::Yes);
  bool built = true;
  test::RunWithFailingCall(test::FileCall::Write, [&] { built = Build(output); });
  EXPECT_FALSE(built);
  EXPECT_EQ(test::ReadWholeFile(output), "old show");
  EXPECT_THAT(prompter_.MessageTexts().last().toStdString(),
              testing::MatchesRegex("无法生成屏幕保护：.*Pivlo\\.bfq\\.[^/]*\\.Tmp: cannot write: File too large"));
  ExpectRestingAndTidy(folder_.Path(QString()));
}

TEST_F(BuildPipelineTest, AFullDiskKeepsTheOldScreensaver) {
  test::SmallDisk disk;
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  const QString output = disk.Path(u"show.scr"_s);
  ASSERT_TRUE(ReplaceFileContents(output, "old show"));
  disk.Fill();
  prompter_.answers.enqueue(MessageAnswer::Yes);
  EXPECT_FALSE(Build(output));
  EXPECT_EQ(test::ReadWholeFile(output), "old show");
  EXPECT_THAT(prompter_.MessageTexts().last().toStdString(), testing::EndsWith("No space left on device"));
  ExpectRestingAndTidy(disk.Path(QString()));
}

// The player has no icon resources: the confirmed icon travels in the package, for the
// player to show, right behind the runtime.
TEST_F(BuildPipelineTest, TheConfirmedIconTravelsInThePackageBehindTheRuntime) {
  QDir().mkpath(TempFolder());
  const QByteArray icon = test::IconFileBytes(32, 8, QByteArray(2216, 'n'));
  folder_.Write(u"Temp/icofinal.ico"_s, icon);
  state_.CustomIcon = true;
  const QString output = folder_.Path(u"show.scr"_s);
  ASSERT_TRUE(Build(output));
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(StubPart(output), test::BuildFolder::Player());

  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(output);
  ASSERT_TRUE(package);
  ASSERT_EQ(ItemNames(output), (QStringList{u"TextureImage"_s, u"d3DFile"_s, u"IconFile"_s}));
  const PackageItem& runtime = package->Items()[1];
  const PackageItem& item = package->Items()[2];
  EXPECT_EQ(item.offset, runtime.offset + runtime.size);
  EXPECT_EQ(item.type, u"ICO"_s);
  EXPECT_EQ(package->ReadItem(item), icon);
  QStringList keys;
  for (const PropertyBag::Entry& entry : package->Settings().Entries()) keys << entry.key;
  EXPECT_EQ(keys.mid(keys.indexOf(u"d3DFile_OffSet"_s)),
            (QStringList{u"d3DFile_OffSet"_s, u"d3DFile_Size"_s, u"d3DFile_Type"_s, u"IconFile_OffSet"_s,
                         u"IconFile_Size"_s, u"IconFile_Type"_s}));
  ExpectRestingAndTidy(folder_.Path(QString()));

  // The command line's icon stands in for the confirmed one.
  const QByteArray given = test::IconFileBytes(48, 32, QByteArray(9640, 'g'));
  services_.icon_file = folder_.Write(u"given.ico"_s, given);
  ASSERT_TRUE(Build(folder_.Path(u"given.scr"_s)));
  const std::optional<ScreensaverPackage> with_given = ScreensaverPackage::Open(folder_.Path(u"given.scr"_s));
  ASSERT_TRUE(with_given && with_given->FindItem(u"IconFile"_s));
  EXPECT_EQ(with_given->ReadItem(*with_given->FindItem(u"IconFile"_s)), given);

  // A preview neither changes the icon nor carries one.
  ASSERT_TRUE(Preview());
  EXPECT_EQ(ItemNames(PreviewOutputPath()), (QStringList{u"TextureImage"_s, u"d3DFile"_s}));
}

TEST_F(BuildPipelineTest, WithoutAConfirmedIconThePackageIsWhatItWasBefore) {
  const QString before = folder_.Path(u"before.scr"_s);
  ASSERT_TRUE(Build(before));  // no icon was ever chosen
  QDir().mkpath(TempFolder());
  folder_.Write(u"Temp/icofinal.ico"_s, test::IconFileBytes(32, 8, QByteArray(2216, 'n')));
  state_.CustomIcon = false;  // a new project forgot it
  const QString output = folder_.Path(u"show.scr"_s);
  ASSERT_TRUE(Build(output));
  EXPECT_EQ(ItemNames(output), (QStringList{u"TextureImage"_s, u"d3DFile"_s}));
  EXPECT_EQ(test::ReadWholeFile(output), test::ReadWholeFile(before));
}

class RecordingProgress : public Progress {
 public:
  QStringList texts;
  void ShowProgress(float, const QString& text) override { texts << text; }
};

// Packed: each file once as a MediaFile item, named by it in the settings; the project
// and a preview keep naming the files themselves.
TEST_F(BuildPipelineTest, ASelfContainedBuildHoldsEachFileOnceAndNamesItByItsItem) {
  test::TempFolder sources;
  const QImage picture = test::MakeImage(40, 30, QImage::Format_RGB32,
                                         [](int x, int y) { return qRgb(x * 6, y * 8, (x * y * 7) % 256); });
  const QByteArray png = test::Encoded(picture, "png");
  model_.pictures[0].file = sources.Write(u"one.png"_s, png);
  model_.pictures[1].file = sources.Write(u"two.bmp"_s, test::Encoded(picture, "bmp"));
  model_.AddPicture(model_.pictures[0].file);
  model_.songs[0].file = sources.Write(u"song.mp3"_s, "not decoded by the build");
  model_.lyric_files = {sources.Write(u"other.lrc"_s, "[00:01]x"), sources.Write(u"SONG.lrc"_s, "[00:01]y")};
  model_.settings.opening_image = model_.pictures[0].file;
  model_.settings.logo_image = sources.Path(u"gone.png"_s);
  RecordingProgress progress;
  services_.progress = &progress;
  state_.PackMedia = true;
  const QString output = folder_.Path(u"show.scr"_s);
  ASSERT_TRUE(Build(output)) << prompter_.MessageTexts().join(u'\n').toStdString();

  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(output);
  ASSERT_TRUE(package);
  const PropertyBag& bag = package->Settings();
  EXPECT_EQ(ItemNames(output), (QStringList{u"TextureImage"_s, u"d3DFile"_s, u"MediaFile(1)"_s, u"MediaFile(2)"_s,
                                            u"MediaFile(3)"_s, u"MediaFile(4)"_s}));
  const struct {
    QString key;
    QString value;
  } named[] = {{u"ImgNames(1)"_s, u"res:1/one.png"_s},   {u"ImgNames(2)"_s, u"res:2/two.jpg"_s},
               {u"ImgNames(3)"_s, u"res:1/one.png"_s},   {u"OpeningImage"_s, u"res:1/one.png"_s},
               {u"LogoImage"_s, model_.settings.logo_image}, {u"MusicNames(1)"_s, u"res:3/song.mp3"_s},
               {u"LyricFiles(1)"_s, u"res:4/SONG.lrc"_s}, {u"MusicLyricFiles(1)"_s, u"res:4/SONG.lrc"_s},
               {u"MediaFile(2)_Type"_s, u"JPG"_s}};
  for (const auto& [key, value] : named) EXPECT_EQ(bag.Get(key).ToText(), value) << key.toStdString();
  EXPECT_EQ(bag.Get(u"LyricFilesCount"_s), BagValue(qint32(1)));
  EXPECT_EQ(bag.Get(u"MediaInPackage"_s), BagValue(true));
  EXPECT_EQ(package->ReadItem(*package->FindItem(u"MediaFile(1)"_s)), png);
  EXPECT_TRUE(package->ReadItem(*package->FindItem(u"MediaFile(2)"_s))->startsWith("\xFF\xD8"));
  // Read back as the show reads it: in pieces across the scrambled head, and after seeks.
  const std::shared_ptr<const PackageMediaFiles> media = PackageMediaFiles::Of(*package);
  ASSERT_TRUE(media);
  ASSERT_GT(png.size(), 300);
  const std::unique_ptr<QIODevice> held = media->Open(u"res:1/one.png"_s, nullptr);
  ASSERT_TRUE(held);
  QByteArray pieces;
  while (!held->atEnd()) pieces += held->read(100);
  EXPECT_EQ(pieces, png);
  ASSERT_TRUE(held->seek(250));
  EXPECT_EQ(held->read(20), png.mid(250, 20));
  QString why;
  EXPECT_FALSE(media->Open(u"res:9/one.png"_s, &why));
  EXPECT_EQ(why, u"the package holds no such file"_s);
  EXPECT_FALSE(media->Holds(sources.Path(u"one.png"_s)));
  EXPECT_EQ(model_.pictures[1].file, sources.Path(u"two.bmp"_s));  // the project is as it was
  EXPECT_THAT(progress.texts, testing::Contains(u"正在转换图片 5/5"_s));
  EXPECT_TRUE(progress.texts.last().startsWith(u"正在写入 "_s)) << progress.texts.last().toStdString();
  EXPECT_THAT(QDir(TempFolder()).entryList({u"Pivlo.media.*"_s}, QDir::AllEntries), testing::IsEmpty());
  ExpectRestingAndTidy(folder_.Path(QString()));

  ASSERT_TRUE(Preview());
  const std::optional<ScreensaverPackage> preview = ScreensaverPackage::Open(PreviewOutputPath());
  ASSERT_TRUE(preview);
  EXPECT_EQ(preview->Settings().Get(u"ImgNames(2)"_s).ToText(), sources.Path(u"two.bmp"_s));
  EXPECT_FALSE(preview->Settings().Contains(u"MediaInPackage"_s));
}

// The trailer holds 32-bit sizes: past 2 GiB the build stops before the blob is begun,
// and says why. The song is a sparse file: nothing of it is read.
TEST_F(BuildPipelineTest, ASelfContainedBuildPast2GiBIsRefusedBeforeItsBlobIsWritten) {
  test::TempFolder sources;
  QFile song(sources.Path(u"long.wav"_s));
  ASSERT_TRUE(song.open(QIODevice::WriteOnly) && song.resize(qint64(2) << 30));
  song.close();
  model_.songs[0].file = song.fileName();
  state_.PackMedia = true;
  const QString output = folder_.Path(u"show.scr"_s);
  EXPECT_FALSE(Build(output));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages[0].text.startsWith(u"无法生成屏幕保护：图片和音乐共 2048."_s) &&
              prompter_.messages[0].text.contains(u" MB，超过了屏保文件 2048 MB 的上限"_s))
      << prompter_.messages[0].text.toStdString();
  EXPECT_FALSE(QFileInfo::exists(output));
  ExpectRestingAndTidy(folder_.Path(QString()));
}

class BuildIconTest : public BuildPipelineTest {
 protected:
  void SetUp() override {
    folder_.WriteStub(pe_.bytes);
    QDir().mkpath(TempFolder());
    state_.CustomIcon = true;
  }
  void ChooseIcon(qint32 length) {
    folder_.Write(u"Temp/icofinal.ico"_s, test::IconFileBytes(32, 8, QByteArray(length, 'n')));
  }

  test::PeFile pe_ = test::SamplePe();
};

TEST_F(BuildIconTest, TheConfirmedIconGoesIntoTheBuiltPlayer) {
  ChooseIcon(2216);
  const QString output = folder_.Path(u"show.exe"_s);
  ASSERT_TRUE(Build(output));
  EXPECT_TRUE(prompter_.messages.isEmpty());
  const QByteArray stub = StubPart(output);
  ASSERT_EQ(stub.size(), pe_.bytes.size());
  EXPECT_EQ(stub.sliced(pe_.icons[0].data, 2216), QByteArray(2216, 'n'));
  EXPECT_EQ(ItemNames(output).last(), u"IconFile"_s);  // in the package as well
  ExpectRestingAndTidy(folder_.Path(QString()));

  // A preview never changes the icon.
  ASSERT_TRUE(Preview());
  EXPECT_EQ(StubPart(PreviewOutputPath()), pe_.bytes);
}

TEST_F(BuildIconTest, AFailedReplacementIsReportedOnceAndTheBuildGoesOnWithTheOwnIcon) {
  ChooseIcon(4264);  // longer than the player's first icon image
  const QString output = folder_.Path(u"show.exe"_s);
  ASSERT_TRUE(Build(output));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, u"替换图标失败"_s);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(StubPart(output), pe_.bytes);
  EXPECT_TRUE(ScreensaverPackage::Open(output));
  ExpectRestingAndTidy(folder_.Path(QString()));
}

TEST_F(BuildIconTest, WithoutAConfirmedIconThePlayerKeepsItsOwn) {
  ChooseIcon(2216);
  state_.CustomIcon = false;
  const QString output = folder_.Path(u"show.exe"_s);
  ASSERT_TRUE(Build(output));
  EXPECT_EQ(StubPart(output), pe_.bytes);
}

TEST(FinishSummary, SizesAreCutToTwoDecimals) {
  EXPECT_EQ(MegabyteText(1572864), u"1.50"_s);
  EXPECT_EQ(MegabyteText(1048575), u"0.99"_s);
  EXPECT_EQ(MegabyteText(0), u"0.00"_s);
  EXPECT_EQ(MegabyteText(12345LL * 1048576 + 10486), u"12345.01"_s);

  ProjectModel model(test::TestEnvironment());
  model.settings.info[kInfoName] = u"假日"_s;
  model.AddPicture(u"/p/1.jpg"_s);
  model.AddPicture(u"/p/2.jpg"_s);
  model.AddPicture(u"/p/3.jpg"_s);
  EXPECT_EQ(FinishSummaryText(model, u"/out/假日.scr"_s, 1572864),
            u"屏保名称： 假日\r\n图片总数： 3\r\n音乐总数： 0\r\n文件大小： 1.50 MB\r\n保存路径： /out/假日.scr"_s);
}

}  // namespace
}  // namespace pivlo
