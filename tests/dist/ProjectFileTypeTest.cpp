// The project files' type as a desktop sees it: the type the install adds, compiled by
// update-mime-database into a database beside the system's, then asked by Qt as a file
// manager asks, by name and by content.

#include "core/basPropertyBag.h"

#include "ProjectFixtures.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kProjectType = u"application/x-pivlo-project"_s;

// What the project writer stores: a property bag.
QByteArray ProjectBytes() {
  test::TempFolder folder;
  SharedBag().Put(u"InfoName"_s, BagValue(u"海边"_s));
  const QString path = folder.Path(u"written.aps"_s);
  EXPECT_TRUE(SaveBagToFile(path));
  return test::ReadWholeFile(path);
}

QByteArray OlderFormBytes() { return test::PlainLegacyFile({u"/photos/a.jpg"_s, u"/photos/b.jpg"_s}).Bytes(); }

QByteArray TextBytes() { return "Pivlo notes\n"_ba; }

struct FileCase {
  const char* label;
  QString file_name;
  QByteArray (*bytes)();
  bool is_project;
};

void PrintTo(const FileCase& file, std::ostream* out) { *out << file.label; }

class ProjectFileTypeTest : public testing::TestWithParam<FileCase> {
 protected:
  // One database for the suite, made before Qt first looks for one.
  static void SetUpTestSuite() {
    data_ = new QTemporaryDir;
    const QString mime = data_->filePath(u"mime"_s);
    QDir().mkpath(mime + u"/packages"_s);
    QFile::copy(QStringLiteral(PIVLO_MIME_XML), mime + u"/packages/pivlo.xml"_s);
    const QString tool = QStandardPaths::findExecutable(u"update-mime-database"_s);
    if (tool.isEmpty()) {
      error_ = u"update-mime-database is missing: install shared-mime-info (scripts/packages.txt)"_s;
      return;
    }
    QProcess update;
    update.start(tool, {mime});
    if (!update.waitForFinished() || update.exitCode() != 0) {
      error_ = u"update-mime-database refused the type: "_s + QString::fromLocal8Bit(update.readAllStandardError());
      return;
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(data_->filePath(u"home"_s)));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data_->path()) + ":/usr/local/share:/usr/share");
  }
  static void TearDownTestSuite() {
    delete data_;
    data_ = nullptr;
  }

  static inline QTemporaryDir* data_ = nullptr;
  static inline QString error_;
  test::TempFolder files_;
};

TEST_P(ProjectFileTypeTest, IsKnownByNameOrByTheBagSignature) {
  ASSERT_TRUE(error_.isEmpty()) << error_.toStdString();
  const FileCase& file = GetParam();
  const QString path = files_.Write(file.file_name, file.bytes());
  const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
  EXPECT_EQ(type.name() == kProjectType, file.is_project) << type.name().toStdString();
  if (file.is_project) {
    EXPECT_EQ(type.iconName(), u"pivlo"_s);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProjectFileTypeTest,
    testing::Values(FileCase{"Saved", u"海边.aps"_s, ProjectBytes, true},
                    FileCase{"NamedInCapitals", u"HAIBIAN.APS"_s, ProjectBytes, true},
                    FileCase{"OfTheOlderForm", u"old.aps"_s, OlderFormBytes, true},
                    FileCase{"RenamedWithoutExtension", u"haibian"_s, ProjectBytes, true},
                    FileCase{"OtherFileWithoutExtension", u"notes"_s, TextBytes, false}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace pivlo
