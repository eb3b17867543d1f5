// The show as a video: what `show video` writes, read back with FFmpeg, against the frames
// `show render` writes; the arguments it refuses and the files it leaves when it fails.

#include "CliRunner.h"
#include "PictureFiles.h"
#include "TestFiles.h"
#include "ToneFixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

// What FFmpeg reads back from a video file.
struct VideoFile {
  int streams = 0;
  QString video_codec;
  QSize size;
  AVRational fps{};
  double seconds = 0;  // the file's duration
  qint64 frames = 0;
  QString audio_codec;
  int sample_rate = 0;
  int channels = 0;
  double sound_level = 0;         // the mean absolute sample, of full scale
  QMap<qint64, QImage> pictures;  // the frames asked for
};

struct FormatClose {
  void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecFree {
  void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct FrameFree {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using Codec = std::unique_ptr<AVCodecContext, CodecFree>;

Codec OpenDecoder(const AVStream& stream) {
  const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
  if (decoder == nullptr) return nullptr;
  Codec codec(avcodec_alloc_context3(decoder));
  if (avcodec_parameters_to_context(codec.get(), stream.codecpar) < 0 ||
      avcodec_open2(codec.get(), decoder, nullptr) < 0) {
    return nullptr;
  }
  return codec;
}

// A decoded frame as RGB, read with the BT.709 video range the stream is tagged with.
QImage ToImage(const AVFrame& frame) {
  QImage image(frame.width, frame.height, QImage::Format_RGB32);
  SwsContext* scaler = sws_getContext(frame.width, frame.height, AVPixelFormat(frame.format), frame.width, frame.height,
                                      AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
  sws_setColorspaceDetails(scaler, sws_getCoefficients(SWS_CS_ITU709), 0, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                           1 << 16, 1 << 16);
  uint8_t* planes[] = {image.bits()};
  const int strides[] = {int(image.bytesPerLine())};
  sws_scale(scaler, frame.data, frame.linesize, 0, frame.height, planes, strides);
  sws_freeContext(scaler);
  return image;
}

// Decodes the whole file, keeping the video frames numbered in `wanted`.
std::optional<VideoFile> ReadVideo(const QString& path, const QList<qint64>& wanted) {
  AVFormatContext* opened = nullptr;
  if (avformat_open_input(&opened, QFile::encodeName(path).constData(), nullptr, nullptr) < 0) return std::nullopt;
  const std::unique_ptr<AVFormatContext, FormatClose> format(opened);
  if (avformat_find_stream_info(opened, nullptr) < 0) return std::nullopt;
  VideoFile file;
  file.streams = int(opened->nb_streams);
  file.seconds = double(opened->duration) / AV_TIME_BASE;
  const int video = av_find_best_stream(opened, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  const int audio = av_find_best_stream(opened, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (video < 0 || audio < 0) return file;
  const AVCodecParameters& picture = *opened->streams[video]->codecpar;
  const AVCodecParameters& sound = *opened->streams[audio]->codecpar;
  file.video_codec = QString::fromLatin1(avcodec_get_name(picture.codec_id));
  file.size = QSize(picture.width, picture.height);
  file.fps = opened->streams[video]->avg_frame_rate;
  file.audio_codec = QString::fromLatin1(avcodec_get_name(sound.codec_id));
  file.sample_rate = sound.sample_rate;
  file.channels = sound.ch_layout.nb_channels;

  const Codec decoders[] = {OpenDecoder(*opened->streams[video]), OpenDecoder(*opened->streams[audio])};
  if (!decoders[0] || !decoders[1] || decoders[1]->sample_fmt != AV_SAMPLE_FMT_FLTP) return std::nullopt;
  const std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
  const std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
  double level = 0;
  qint64 samples = 0;
  const auto receive = [&](AVCodecContext* codec) {
    while (avcodec_receive_frame(codec, frame.get()) == 0) {
      if (codec == decoders[0].get()) {
        if (wanted.contains(file.frames)) file.pictures[file.frames] = ToImage(*frame);
        ++file.frames;
      } else {
        for (int channel = 0; channel < frame->ch_layout.nb_channels; ++channel) {
          const auto* values = reinterpret_cast<const float*>(frame->extended_data[channel]);
          for (int i = 0; i < frame->nb_samples; ++i) level += std::abs(values[i]);
        }
        samples += qint64(frame->nb_samples) * frame->ch_layout.nb_channels;
      }
      av_frame_unref(frame.get());
    }
  };
  while (av_read_frame(opened, packet.get()) >= 0) {
    const int index = packet->stream_index == video ? 0 : packet->stream_index == audio ? 1 : -1;
    if (index >= 0 && avcodec_send_packet(decoders[index].get(), packet.get()) == 0) receive(decoders[index].get());
    av_packet_unref(packet.get());
  }
  for (const Codec& codec : decoders) {
    avcodec_send_packet(codec.get(), nullptr);
    receive(codec.get());
  }
  file.sound_level = samples > 0 ? level / double(samples) : 0;
  return file;
}

// The mean absolute difference of the colour channels in the 16x16 block where they differ
// most: the codec's loss stays small everywhere, while a frame from another time or a
// lyric line left out stands out in its blocks.
double WorstBlockDifference(const QImage& a, const QImage& b) {
  constexpr int kBlock = 16;
  if (a.size() != b.size() || a.format() != QImage::Format_RGB32 || b.format() != QImage::Format_RGB32) return 255;
  double worst = 0;
  for (int top = 0; top + kBlock <= a.height(); top += kBlock) {
    for (int left = 0; left + kBlock <= a.width(); left += kBlock) {
      int sum = 0;
      for (int y = top; y < top + kBlock; ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y)) + left;
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y)) + left;
        for (int x = 0; x < kBlock; ++x) {
          sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) +
                 std::abs(qBlue(p[x]) - qBlue(q[x]));
        }
      }
      worst = std::max(worst, double(sum) / (kBlock * kBlock * 3));
    }
  }
  return worst;
}

class CliShowVideoTest : public testing::Test {
 protected:
  // Smooth gradients, different in each picture: a frame shown a frame early or late
  // in the transition between them differs by far more than the codec's loss.
  QString Picture(const QString& name, int seed) {
    return folder_.Write(name, test::Encoded(test::MakeImage(320, 240, QImage::Format_RGB32,
                                                             [&](int x, int y) {
                                                               return seed == 1 ? qRgb(x * 255 / 320, 40, y)
                                                                                : qRgb(200, y, 255 - x * 255 / 320);
                                                             }),
                                             "png"));
  }

  // Three seconds of a 440 Hz sine at about a third of full scale.
  static QByteArray Sine() {
    return test::PcmWav(48000, 2, 3 * 48000, [](qint64 frame, int) {
      return qint16(10000 * std::sin(2 * M_PI * 440 * double(frame) / 48000));
    });
  }

  // Two pictures, four seconds each, a transition between them; a three-second song
  // with a lyric line from half a second.
  QString Package() {
    const QString project = folder_.Path(u"show.aps"_s);
    folder_.Write(u"song.lrc"_s, "[00:00.50]\xe4\xb8\x80\xe8\xb5\xb7\xe5\x94\xb1 sing along\n");
    const auto created =
        RunCli({u"project"_s, u"create"_s, project, u"--picture"_s, Picture(u"one.png"_s, 1), u"--picture"_s,
                Picture(u"two.png"_s, 2), u"--song"_s, folder_.Write(u"song.wav"_s, Sine()),
                u"--set"_s, u"TimeInterval=4"_s, u"--set"_s, u"EnableCaption=false"_s, u"--set"_s,
                u"EnableTransition=true"_s, u"--set"_s, u"StyleSelect=1"_s});
    EXPECT_EQ(created.exit_code, 0) << created.err.toStdString();
    const QString package = folder_.Path(u"show.scr"_s);
    const auto built = RunCli({u"build"_s, project, package, u"--force"_s});
    EXPECT_EQ(built.exit_code, 0) << built.err.toStdString();
    return package;
  }

  // The names in the folder, hidden ones too.
  static QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  test::TempFolder folder_;
};

TEST_F(CliShowVideoTest, TheVideoHoldsTheShowsFramesAndSound) {
  const QString package = Package();
  const QString out = folder_.Path(u"show.mp4"_s);
  const auto made = RunCli({u"show"_s, u"video"_s, package, out, u"--size"_s, u"1280x720"_s, u"--fps"_s, u"25"_s,
                            u"--seed"_s, u"3"_s, u"--progress"_s},
                           600000);
  ASSERT_EQ(made.exit_code, 0) << made.err.toStdString();
  // One cycle: two slides of four seconds.
  const qint64 frames = 8 * 25;
  const QStringList lines = QString::fromUtf8(made.out).split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), frames + 1);
  EXPECT_EQ(lines[0], u"progress 1 200"_s);
  EXPECT_EQ(lines[frames - 1], u"progress 200 200"_s);
  const QStringList summary = lines.last().split(u'\t');
  ASSERT_EQ(summary.size(), 6) << lines.last().toStdString();
  EXPECT_EQ(summary.mid(0, 4), (QStringList{out, u"1280x720"_s, u"25 fps"_s, u"8.000 s"_s}));
  EXPECT_EQ(summary[5], u"aac"_s);

  // At the start, under the lyric, halfway through the transition.
  const QList<qint64> sampled = {0, 25, 110};
  const std::optional<VideoFile> file = ReadVideo(out, sampled);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->streams, 2);
  EXPECT_TRUE(summary[4] == u"h264" || summary[4] == u"mpeg4") << summary[4].toStdString();
  EXPECT_EQ(file->video_codec, summary[4]);
  EXPECT_EQ(file->size, QSize(1280, 720));
  EXPECT_EQ(file->fps.num, 25);
  EXPECT_EQ(file->fps.den, 1);
  EXPECT_EQ(file->frames, frames);
  EXPECT_NEAR(file->seconds, 8.0, 0.05);
  EXPECT_EQ(file->audio_codec, u"aac"_s);
  EXPECT_EQ(file->sample_rate, 48000);
  EXPECT_EQ(file->channels, 2);
  EXPECT_GT(file->sound_level, 0.1) << "the song is heard";

  const QString rendered = folder_.Path(u"frames"_s);
  const auto render = RunCli({u"show"_s, u"render"_s, package, rendered, u"--at"_s, u"0,1,4.4"_s, u"--size"_s,
                              u"1280x720"_s, u"--seed"_s, u"3"_s});
  ASSERT_EQ(render.exit_code, 0) << render.err.toStdString();
  const QStringList names = {u"0.000.png"_s, u"1.000.png"_s, u"4.400.png"_s};
  for (qsizetype i = 0; i < sampled.size(); ++i) {
    const QImage expected = QImage(rendered + u'/' + names[i]).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << names[i].toStdString();
    // Measured: up to 11 for the right frames, 34 and more a frame away or without the lyric.
    EXPECT_LT(WorstBlockDifference(file->pictures.value(sampled[i]), expected), 20) << names[i].toStdString();
  }
}

// Each refused before anything is read or written.
TEST_F(CliShowVideoTest, ArgumentsOutsideWhatIsMadeAreRefused) {
  const QString out = folder_.Path(u"refused.mp4"_s);
  const QString package = folder_.Write(u"any.scr"_s, "not read");
  const QList<QStringList> cases = {
      {u"--size"_s, u"1278x720"_s}, {u"--size"_s, u"3842x2160"_s}, {u"--size"_s, u"1281x720"_s},
      {u"--size"_s, u"1920x1081"_s}, {u"--fps"_s, u"29"_s},        {u"--fps"_s, u"thirty"_s},
      {u"--seconds"_s, u"0"_s},      {u"--cycles"_s, u"0"_s},      {u"--seed"_s},
  };
  for (const QStringList& options : cases) {
    const auto refused = RunCli(QStringList{u"show"_s, u"video"_s, package, out} + options);
    EXPECT_EQ(refused.exit_code, 2) << options.join(u' ').toStdString();
    EXPECT_FALSE(QFile::exists(out)) << options.join(u' ').toStdString();
  }
  EXPECT_EQ(RunCli({u"show"_s, u"video"_s, package}).exit_code, 2) << "OUT is wanted";
}

TEST_F(CliShowVideoTest, AFailureLeavesAnOldVideoAsItWasAndNoFileOfItsOwn) {
  const QString videos = folder_.Path(u"videos"_s);
  ASSERT_TRUE(QDir().mkpath(videos));
  const QString out = videos + u"/show.mp4"_s;
  ASSERT_TRUE(test::ReadWholeFile(folder_.Write(u"videos/show.mp4"_s, "old video")) == "old video");

  const QString unreadable = folder_.Write(u"broken.scr"_s, "no package");
  const auto broken = RunCli({u"show"_s, u"video"_s, unreadable, out, u"--seconds"_s, u"1"_s});
  EXPECT_EQ(broken.exit_code, 1);
  EXPECT_TRUE(broken.err.contains(unreadable.toUtf8() + ": ")) << broken.err.toStdString();

  // A package whose pictures are all gone has nothing to show.
  const QString package = Package();
  ASSERT_TRUE(QFile::remove(folder_.Path(u"one.png"_s)) && QFile::remove(folder_.Path(u"two.png"_s)));
  const auto empty = RunCli({u"show"_s, u"video"_s, package, out, u"--size"_s, u"1280x720"_s});
  EXPECT_EQ(empty.exit_code, 1);
  EXPECT_TRUE(empty.err.contains("no picture")) << empty.err.toStdString();

  EXPECT_EQ(Names(videos), QStringList{u"show.mp4"_s});
  EXPECT_EQ(test::ReadWholeFile(out), "old video");
}

TEST_F(CliShowVideoTest, ATerminatedRecordingCleansUp) {
  const QString package = Package();
  const QString videos = folder_.Path(u"videos"_s);
  ASSERT_TRUE(QDir().mkpath(videos));
  const QString out = folder_.Write(u"videos/show.mp4"_s, "old video");
  QProcess recorder;
  recorder.start(QStringLiteral(PIVLO_CLI_PATH), {u"show"_s, u"video"_s, package, out, u"--size"_s, u"1280x720"_s,
                                                  u"--seconds"_s, u"3600"_s, u"--progress"_s});
  ASSERT_TRUE(recorder.waitForStarted());
  QByteArray said;
  while (!said.contains("progress 2 ") && recorder.waitForReadyRead(60000)) said += recorder.readAllStandardOutput();
  ASSERT_TRUE(said.contains("progress 2 ")) << said.toStdString();
  EXPECT_EQ(Names(videos).size(), 2) << "the video is being made beside the old one";

  ASSERT_EQ(kill(pid_t(recorder.processId()), SIGTERM), 0);
  ASSERT_TRUE(recorder.waitForFinished(30000));
  EXPECT_EQ(recorder.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(recorder.exitCode(), 1);
  EXPECT_TRUE(recorder.readAllStandardError().contains("cancelled"));
  EXPECT_EQ(Names(videos), QStringList{u"show.mp4"_s});
  EXPECT_EQ(test::ReadWholeFile(out), "old video");
}

}  // namespace
}  // namespace pivlo
