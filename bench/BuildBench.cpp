// Building a whole package: settings of a large project, the player, the blob and the
// checks, as a preview writes it.

#include "builder/BuildPipeline.h"

#include "BuildFixtures.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pivlo;

class Silent : public Prompter, public ShellServices {
 public:
  int messages = 0;
  MessageAnswer ShowMessage(const QString&, MessageIcon, MessageButtons, const QString&) override {
    ++messages;
    return MessageAnswer::Cancel;
  }
  QStringList GetOpenFileNames(const FileDialogOptions&) override { return {}; }
  QString GetSaveFileName(const FileDialogOptions&) override { return {}; }
  QString ChooseFolder(const QString&, const QString&) override { return {}; }
  std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
  std::optional<QString> AskPassword(const QString&, const QString&) override { return std::nullopt; }
  bool OpenWithDefaultAction(const QString&) override { return true; }
  void ShowInFolder(const QString&) override {}
  bool StartProgram(const QString&, const QStringList&, QString*) override { return true; }
};

ProjectModel LargeProject(int pictures, int songs) {
  ProjectModel model(ModelEnvironment{1920, 1080, QStringLiteral("Arial"), 64.0});
  for (int i = 1; i <= pictures; ++i) {
    ImageEntry& entry = model.AddPicture(QStringLiteral("/home/user/照片/2024/假日-%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    entry.caption = QStringLiteral("第 %1 张照片\r\n海边的一天").arg(i);
    entry.headline = QStringLiteral("标题 %1").arg(i);
    entry.slide_duration = 6.5f;
  }
  for (int i = 1; i <= songs; ++i) {
    model.AddSong(QStringLiteral("/home/user/音乐/歌曲-%1.mp3").arg(i), 180.5f + float(i));
    model.lyric_files.append(QStringLiteral("/home/user/歌词/歌曲-%1.lrc").arg(i));
  }
  model.settings.enable_sync = true;
  return model;
}

void BM_BuildPackage1000Pictures20Songs(benchmark::State& state) {
  test::BuildFolder folder(test::BuildFolder::Contents::Shipped);
  ProjectModel model = LargeProject(1000, 20);
  BuildState build;
  Silent silent;
  BuildView view;
  BuildServices services{silent, view, silent, false, {}, {}};
  for (auto _ : state) {
    build.PreviewMode = true;
    if (!PreviewScreenSaver(model, build, services) || silent.messages != 0) {
      state.SkipWithError("the build failed");
      return;
    }
  }
}
BENCHMARK(BM_BuildPackage1000Pictures20Songs)->Unit(benchmark::kMillisecond);

}  // namespace
