// The package's parts: the scrambling keystream, the settings, the resource blob and the
// trailer, and the reader that player and command line share.

#include "builder/HeadScramble.h"
#include "builder/PackageWriter.h"
#include "builder/ScreensaverPackage.h"
#include "builder/SeededRandom.h"
#include "core/ProjectKeys.h"
#include "core/basPropertyBag.h"

#include "BuildFixtures.h"
#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(SeededRandom, DrawsTheSameValuesInTheUnitIntervalAfterEveryReseed) {
  SeededRandom random;
  QList<double> first;
  for (int i = 0; i < 1000; ++i) {
    const double r = random.Next();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    first.append(r);
  }
  random.Reseed(SeededRandom::kPackageSeed);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(random.Next(), first[i]);
  random.Reseed(1);
  EXPECT_NE(random.Next(), first[0]);
}

TEST(HeadScramble, TheKeystreamIsFixedForEveryPackageEverBuilt) {
  // Players decode packages with this stream: it may never change.
  const quint8 expected[] = {0x0C, 0x64, 0x46, 0x9D, 0x74, 0xEB, 0x5C, 0x07};
  SeededRandom random;
  for (qsizetype k = 0; k < qsizetype(sizeof expected); ++k) {
    EXPECT_EQ(KeystreamByte(k), expected[k]) << k;
  }
  for (qsizetype k = 0; k < kScrambledStubHead; ++k) ASSERT_EQ(KeystreamByte(k), quint8(random.Next() * 256)) << k;
}

TEST(HeadScramble, ScramblesTheFirst256BytesOfAnItemAndUndoesItself) {
  for (const qsizetype n : {0, 1, 255, 256, 257, 1000}) {
    QByteArray plain(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i) plain[i] = char(i * 13);
    QByteArray bytes = plain;
    ScrambleHead(bytes);
    for (qsizetype k = 0; k < n; ++k) {
      const quint8 expected = k < 256 ? quint8(plain[k]) ^ KeystreamByte(k) : quint8(plain[k]);
      ASSERT_EQ(quint8(bytes[k]), expected) << n << " " << k;
    }
    ScrambleHead(bytes);
    EXPECT_EQ(bytes, plain) << n;
  }
}

TEST(UnscrambleStub, TurnsTheFirst5000BytesOfTheFileOnly) {
  test::TempFolder folder;
  for (const qsizetype n : {100, 6000}) {
    const QByteArray plain = test::BuildFolder::Player().left(n);
    const QString path = folder.Write(u"stub"_s + QString::number(n), plain);
    ASSERT_TRUE(UnscrambleStub(path));
    const QByteArray once = test::ReadWholeFile(path);
    ASSERT_EQ(once.size(), n);
    for (qsizetype k = 0; k < n; ++k) {
      const quint8 expected = k < 5000 ? quint8(plain[k]) ^ KeystreamByte(k) : quint8(plain[k]);
      ASSERT_EQ(quint8(once[k]), expected) << n << " " << k;
    }
    ASSERT_TRUE(UnscrambleStub(path));
    EXPECT_EQ(test::ReadWholeFile(path), plain);
  }
  EXPECT_FALSE(UnscrambleStub(folder.Path(u"missing"_s)));
}

ProjectModel TwoPictures() {
  ProjectModel model(test::TestEnvironment());
  model.AddPicture(u"/photos/one.jpg"_s);
  model.AddPicture(u"/photos/two.jpg"_s);
  return model;
}

QStringList Keys() {
  QStringList keys;
  for (const PropertyBag::Entry& entry : SharedBag().Entries()) keys << entry.key;
  return keys;
}

TEST(WritePackageSettings, PutsThePackageKeysBehindTheProjectKeys) {
  ProjectModel model = TwoPictures();
  model.AddSong(u"/music/One.mp3"_s, 10.2f);
  model.AddSong(u"/music/two.wma"_s, 20.3f);
  model.AddSong(u"/other/one.wav"_s, 1);
  model.lyric_files = {u"/lyrics/three.lrc"_s, u"/lyrics/Two.LRC"_s, u"/lyrics/ONE.lrc"_s};
  model.settings.enable_sync = true;
  model.settings.transitions.fill(false);
  WritePackageSettings(model);

  const QStringList keys = Keys();
  const qsizetype own = keys.indexOf(u"OrigScreenWidth"_s);
  ASSERT_GT(own, 0);
  EXPECT_EQ(keys[own - 1], u"ImgNames(2)"_s);  // the project keys end with the pictures'
  EXPECT_EQ(keys.mid(own), (QStringList{u"OrigScreenWidth"_s, u"OrigScreenHeight"_s, u"MusicLyricFiles(2)"_s,
                                        u"MusicLyricFiles(1)"_s, u"SongDurationTotal"_s, u"ResFileSize"_s}));
  EXPECT_EQ(GetValue(u"OrigScreenWidth"_s), BagValue(qint32(1366)));
  EXPECT_EQ(GetValue(u"OrigScreenHeight"_s), BagValue(qint32(768)));
  EXPECT_EQ(GetValue(u"MusicLyricFiles(1)"_s), BagValue(u"/lyrics/ONE.lrc"_s));
  EXPECT_EQ(GetValue(u"MusicLyricFiles(2)"_s), BagValue(u"/lyrics/Two.LRC"_s));
  EXPECT_EQ(GetValue(u"SongDurationTotal"_s), BagValue(qint32(32)));  // 31.5 s
  EXPECT_EQ(GetValue(u"ResFileSize"_s), BagValue(qint16(0)));
  EXPECT_EQ(GetValue(u"StyleSelect"_s).ToText(), QString(128, u' '));
  SharedBag().Clear();
}

TEST(WritePackageSettings, SongDurationTotalCountsOnlyForSynchronisedShows) {
  const struct {
    bool sync;
    QList<float> songs;
    BagValue expected;
  } cases[] = {
      {true, {10.2f, 20.3f}, qint32(31)},      {true, {300.4f}, qint32(301)},
      {true, {300.0f}, qint32(301)},           {true, {30000.5f}, qint32(30000)},
      {true, {20000.0f, 11000.7f}, qint32(31001)}, {false, {10.2f, 20.3f}, qint16(0)},
      {true, {}, qint16(0)},                   {true, QList<float>(21, 10.0f), qint16(0)},
      {true, QList<float>(20, 10.0f), qint32(201)},
  };
  for (const auto& c : cases) {
    ProjectModel model = TwoPictures();
    model.settings.enable_sync = c.sync;
    for (const float duration : c.songs) model.AddSong(u"/music/song.mp3"_s, duration);
    WritePackageSettings(model);
    EXPECT_EQ(GetValue(u"SongDurationTotal"_s), c.expected) << c.songs.size() << " songs";
    SharedBag().Clear();
  }
}

class PackageWriterTest : public testing::Test {
 protected:
  void SetUp() override { ClearRegisteredFiles(); }
  void TearDown() override { ClearRegisteredFiles(); }

  // The player, the settings and a registered runtime, then the blob, bag and trailer.
  QString Build(const QString& name, ProjectModel& model, bool direct3d_ready) {
    const QString path = folder_.Path(name);
    QFile::remove(path);
    if (!QFile::copy(folder_.Path(u"Pivlo.bfq"_s), path)) return QString();
    WritePackageSettings(model);
    EXPECT_TRUE(PutValue(u"d3DFile"_s, Runtime(), PutMode::RegisterFile));
    EXPECT_TRUE(WriteResourcesAndSettings(path, model, direct3d_ready, prompter_));
    ClearRegisteredFiles();
    return path;
  }

  QString Runtime() const { return folder_.Path(u"libpivlofx.so"_s); }

  test::BuildFolder folder_;
  test::ScriptedPrompter prompter_;
};

TEST_F(PackageWriterTest, WritesTheBlobItemByItemBehindThePlayer) {
  ProjectModel model = TwoPictures();
  const QByteArray frame(1000, 'F');
  model.frame_picture = frame;
  model.settings.picture_frame_num = 3;
  const QString path = Build(u"out.scr"_s, model, true);

  EXPECT_EQ(model.frame_picture, frame);  // the editor keeps the plain bytes
  EXPECT_TRUE(SharedBag().IsEmpty());
  const QByteArray file = test::ReadWholeFile(path);
  const QByteArray runtime = test::ReadWholeFile(Runtime());
  const qint64 stub = test::BuildFolder::Player().size();
  QString error;
  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(path, &error);
  ASSERT_TRUE(package) << error.toStdString();
  EXPECT_EQ(package->Trailer().stub, stub);
  EXPECT_EQ(package->Trailer().blob, 300 + 1000 + runtime.size());
  EXPECT_EQ(file.size(), stub + package->Trailer().blob + package->Trailer().bag + 16);
  EXPECT_EQ(file.right(4), QByteArray("\xB1\xBB\x57\x4D"));

  ASSERT_EQ(package->Items().size(), 3);
  const struct {
    QString name;
    qint32 offset;
    QByteArray plain;
    QString type;
  } items[] = {{u"TextureImage"_s, 0, test::BuildFolder::Rainbow(), QString()},
               {u"PictureFrameData"_s, 300, frame, QString()},
               {u"d3DFile"_s, 1300, runtime, u".SO"_s}};
  for (qsizetype i = 0; i < 3; ++i) {
    const PackageItem& item = package->Items()[i];
    EXPECT_EQ(item.name, items[i].name);
    EXPECT_EQ(item.offset, items[i].offset);
    EXPECT_EQ(item.size, items[i].plain.size());
    EXPECT_EQ(item.type, items[i].type);
    EXPECT_EQ(package->ReadItem(item), items[i].plain) << item.name.toStdString();
    // Scrambled in the first 256 bytes only.
    const QByteArray stored = file.sliced(stub + item.offset, item.size);
    EXPECT_NE(stored.first(256), items[i].plain.first(256));
    EXPECT_EQ(stored.sliced(256), items[i].plain.sliced(256));
  }
  // No _Type for the texture and the frame; the resource keys come last, in blob order.
  const QStringList keys = [&] {
    QStringList list;
    for (const PropertyBag::Entry& entry : package->Settings().Entries()) list << entry.key;
    return list;
  }();
  EXPECT_EQ(keys.mid(keys.indexOf(u"ResFileSize"_s) + 1),
            (QStringList{u"TextureImage_OffSet"_s, u"TextureImage_Size"_s, u"PictureFrameData_OffSet"_s,
                         u"PictureFrameData_Size"_s, u"d3DFile_OffSet"_s, u"d3DFile_Size"_s, u"d3DFile_Type"_s}));
}

TEST_F(PackageWriterTest, TwoBuildsWriteTheSameBlob) {
  ProjectModel model = TwoPictures();
  const QByteArray first = test::ReadWholeFile(Build(u"first.scr"_s, model, true));
  const QByteArray second = test::ReadWholeFile(Build(u"second.scr"_s, model, true));
  EXPECT_EQ(first, second);
}

TEST_F(PackageWriterTest, WithoutTextureOrFrameTheRuntimeStartsTheBlob) {
  folder_.WriteImages({{u"1.png"_s, "face"}});
  ProjectModel model = TwoPictures();
  model.frame_picture = "frame";
  model.settings.picture_frame_num = -2;
  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(Build(u"out.scr"_s, model, false));
  ASSERT_TRUE(package);
  ASSERT_EQ(package->Items().size(), 1);
  EXPECT_EQ(package->Items()[0].name, u"d3DFile"_s);
  EXPECT_EQ(package->Items()[0].offset, 0);
  EXPECT_EQ(package->Settings().Get(u"PictureFrameNum"_s), BagValue(qint32(-2)));
}

TEST_F(PackageWriterTest, FailsWithoutAPlayerOrWhenTheRegisteredFileChanged) {
  ProjectModel model = TwoPictures();
  WritePackageSettings(model);
  EXPECT_FALSE(WriteResourcesAndSettings(folder_.Path(u"missing.scr"_s), model, false, prompter_));
  EXPECT_FALSE(QFileInfo::exists(folder_.Path(u"missing.scr"_s)));
  EXPECT_TRUE(SharedBag().IsEmpty());

  const QString grown = folder_.Write(u"grown.dll"_s, "12345");
  ASSERT_TRUE(PutValue(u"d3DFile"_s, grown, PutMode::RegisterFile));
  folder_.Write(u"grown.dll"_s, "123456");
  const QString path = folder_.Write(u"out.scr"_s, "player");
  WritePackageSettings(model);
  EXPECT_FALSE(WriteResourcesAndSettings(path, model, false, prompter_));
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST(VerifyPackage, RequiresTheExactLengthAndTheMark) {
  test::TempFolder folder;
  const QByteArray trailer = LongToBytesBE(3) + LongToBytesBE(2) + LongToBytesBE(1) + PackageTrailerMark();
  const QString good = folder.Write(u"good"_s, "abcdef" + trailer);
  EXPECT_TRUE(VerifyPackage(good, 3, 2, 1));
  EXPECT_FALSE(VerifyPackage(good, 3, 2, 2));
  EXPECT_FALSE(VerifyPackage(folder.Write(u"long"_s, "abcdefg" + trailer), 3, 2, 1));
  EXPECT_FALSE(VerifyPackage(folder.Write(u"mark"_s, "abcdef" + trailer.chopped(1) + "X"), 3, 2, 1));
  EXPECT_FALSE(VerifyPackage(folder.Path(u"none"_s), 3, 2, 1));
  EXPECT_EQ(RestrictedFolderText(u"/shows/out.scr"_s),
            u"/shows/\r该目录可能受限制（例如反病毒软件或其他保护性软件），无法正常写入文件，\r"
            u"请重新安装软件到其他目录，或重新选择其他目录保存这个文件"_s);
}

// A package put together by hand, so that its trailer and keys can lie.
QByteArray HandMadePackage(const PropertyBag& bag, qint32 stub = 10, qint32 blob = 20) {
  const QByteArray contents = bag.Contents();
  return QByteArray(stub + blob, 'p') + contents + LongToBytesBE(stub) + LongToBytesBE(blob) +
         LongToBytesBE(qint32(contents.size())) + PackageTrailerMark();
}

PropertyBag TwoItems() {
  PropertyBag bag;
  bag.Put(u"TextureImage_OffSet"_s, qint32(0));
  bag.Put(u"TextureImage_Size"_s, qint32(8));
  bag.Put(u"d3DFile_OffSet"_s, qint32(8));
  bag.Put(u"d3DFile_Size"_s, qint32(12));
  bag.Put(u"d3DFile_Type"_s, u"DLL"_s);
  return bag;
}

TEST(ScreensaverPackage, RejectsPackagesWhoseTrailerOrKeysLie) {
  test::TempFolder folder;
  ASSERT_TRUE(ScreensaverPackage::Open(folder.Write(u"good"_s, HandMadePackage(TwoItems()))));
  const auto trailer_says = [](qint32 stub, qint32 blob, qint32 bag) {
    return [=](QByteArray& bytes) {
      bytes.replace(bytes.size() - 16, 12, LongToBytesBE(stub) + LongToBytesBE(blob) + LongToBytesBE(bag));
    };
  };
  const qint32 bag = qint32(TwoItems().Contents().size());
  const auto with_key = [](const QString& key, const BagValue& value) {
    return [=](QByteArray& bytes) {
      PropertyBag lying = TwoItems();
      lying.Put(key, value);
      bytes = HandMadePackage(lying);
    };
  };
  const struct {
    const char* name;
    std::function<void(QByteArray&)> change;
  } cases[] = {
      {"no mark", [](QByteArray& bytes) { bytes[bytes.size() - 1] = 'X'; }},
      {"shorter than a trailer", [](QByteArray& bytes) { bytes = bytes.right(15); }},
      {"a negative size", trailer_says(-10, 40, bag)},
      {"sizes past the file", trailer_says(10, 0x7FFFFFF0, bag)},
      {"sizes one short of the file", trailer_says(9, 20, bag)},
      {"a bag that does not fill its section",
       [=](QByteArray& bytes) {
         bytes.insert(bytes.size() - 16, 'x');
         trailer_says(10, 20, bag + 1)(bytes);
       }},
      {"a bag section that starts early", trailer_says(10, 19, bag + 1)},
      {"no bag", trailer_says(10, 20 + bag, 0)},
      {"overlapping items", with_key(u"d3DFile_OffSet"_s, qint32(7))},
      {"an item past the blob", with_key(u"d3DFile_Size"_s, qint32(13))},
      {"a negative offset", with_key(u"TextureImage_OffSet"_s, qint32(-1))},
      {"an offset as text", with_key(u"TextureImage_OffSet"_s, u"0"_s)},
      {"no size", with_key(u"Logo_OffSet"_s, qint32(0))},
  };
  for (const auto& c : cases) {
    QByteArray bytes = HandMadePackage(TwoItems());
    c.change(bytes);
    QString error;
    EXPECT_FALSE(ScreensaverPackage::Open(folder.Write(QString::fromLatin1(c.name), bytes), &error)) << c.name;
    EXPECT_FALSE(error.isEmpty()) << c.name;
  }
}

// The show plays without its icon: a damaged icon item costs the icon, not the package.
TEST(ScreensaverPackage, SetsADamagedIconItemAsideAndKeepsTheRest) {
  test::TempFolder folder;
  const auto with_icon = [](qint32 offset, const BagValue& size) {
    PropertyBag bag = TwoItems();
    bag.Put(u"IconFile_OffSet"_s, offset);
    bag.Put(u"IconFile_Size"_s, size);
    bag.Put(u"IconFile_Type"_s, u"ICO"_s);
    return bag;
  };
  const QString outside = u"IconFile: lies outside the resource blob"_s;
  const struct {
    const char* name;
    PropertyBag bag;
    QString set_aside;  // empty: the icon is read
  } cases[] = {
      {"whole", with_icon(20, qint32(10)), {}},
      {"past the blob", with_icon(20, qint32(11)), outside},
      {"a negative offset", with_icon(-1, qint32(5)), outside},
      {"a negative size", with_icon(20, qint32(-1)), outside},
      {"an end past 32 bits", with_icon(0x7FFFFFFF, qint32(0x7FFFFFFF)), outside},
      {"a size as text", with_icon(20, u"10"_s), u"IconFile: offset or size is not a 32-bit number"_s},
      {"over the runtime", with_icon(19, qint32(2)), u"IconFile: overlaps d3DFile"_s},
      {"over the texture", with_icon(0, qint32(30)), u"IconFile: overlaps TextureImage"_s},
  };
  for (const auto& c : cases) {
    QString error;
    const std::optional<ScreensaverPackage> package =
        ScreensaverPackage::Open(folder.Write(QString::fromLatin1(c.name), HandMadePackage(c.bag, 10, 30)), &error);
    ASSERT_TRUE(package) << c.name << ": " << error.toStdString();
    QStringList names;
    for (const PackageItem& item : package->Items()) names << item.name;
    if (c.set_aside.isEmpty()) {
      EXPECT_EQ(names, (QStringList{u"TextureImage"_s, u"d3DFile"_s, u"IconFile"_s})) << c.name;
      EXPECT_EQ(package->FindItem(u"IconFile"_s)->type, u"ICO"_s);
      EXPECT_EQ(package->ReadItem(*package->FindItem(u"IconFile"_s)).value_or(QByteArray()).size(), 10);
      EXPECT_TRUE(package->SetAside().isEmpty()) << c.name;
    } else {
      EXPECT_EQ(names, (QStringList{u"TextureImage"_s, u"d3DFile"_s})) << c.name;
      EXPECT_EQ(package->SetAside(), QStringList{c.set_aside}) << c.name;
    }
  }
}

}  // namespace
}  // namespace pivlo
