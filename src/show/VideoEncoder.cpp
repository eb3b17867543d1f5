#include "show/VideoEncoder.h"

#include "audio/AudioFormat.h"
#include "audio/FfmpegErrors.h"

#include <QFile>


extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// Keeps 720p several times faster than real time on two cores (bench/VideoBench.cpp).
constexpr char kX264Preset[] = "veryfast";
constexpr char kX264Crf[] = "20";
// MPEG-4 Part 2 at a fixed quantiser: sharp stills, the size following the content.
constexpr int kMpeg4Quantiser = 3;
constexpr qint64 kAudioBitRate = 192000;
// A key frame every this many seconds, for seeking in players.
constexpr int kKeyFrameSeconds = 2;

bool IsOpaqueArgb(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

struct VideoStreams {
  ~VideoStreams() {
    av_packet_free(&packet);
    av_frame_free(&picture);
    av_frame_free(&converted);
    av_frame_free(&sound);
    if (fifo != nullptr) av_audio_fifo_free(fifo);
    swr_free(&resampler);
    sws_freeContext(scaler);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    if (format != nullptr) {
      avio_closep(&format->pb);
      avformat_free_context(format);
    }
  }

  QSize size;
  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  AVStream* video_stream = nullptr;
  AVStream* audio_stream = nullptr;
  SwsContext* scaler = nullptr;
  SwrContext* resampler = nullptr;
  AVAudioFifo* fifo = nullptr;  // converted samples short of a whole encoder frame
  AVFrame* picture = nullptr;   // the last frame in the encoder's pixel format
  AVFrame* converted = nullptr;
  AVFrame* sound = nullptr;
  AVPacket* packet = nullptr;
  qint64 next_video_pts = 0;
  qint64 next_audio_pts = 0;
  qint64 picture_key = 0;  // the image `picture` was converted from: a still is converted once
  bool has_picture = false;
};

namespace {

// Sends a frame (nullptr: the end) and writes the packets that come out of the encoder.
int Encode(AVFormatContext* format, AVCodecContext* codec, AVStream* stream, AVPacket* packet, const AVFrame* frame) {
  if (const int sent = avcodec_send_frame(codec, frame); sent < 0) return sent;
  for (;;) {
    const int received = avcodec_receive_packet(codec, packet);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return 0;
    if (received < 0) return received;
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    if (const int written = av_interleaved_write_frame(format, packet); written < 0) return written;
  }
}

AVStream* AddStream(AVFormatContext* format, const AVCodecContext* codec) {
  AVStream* stream = avformat_new_stream(format, nullptr);
  if (stream == nullptr || avcodec_parameters_from_context(stream->codecpar, codec) < 0) return nullptr;
  stream->time_base = codec->time_base;
  return stream;
}

// Each step says why it failed; empty when it did not.
QString StartVideo(VideoStreams& s, int fps, bool global_header) {
  const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
  const AVCodec* video = h264 != nullptr ? h264 : avcodec_find_encoder(AV_CODEC_ID_MPEG4);
  if (video == nullptr) return u"FFmpeg has neither an H.264 nor an MPEG-4 video encoder"_s;
  s.video = avcodec_alloc_context3(video);
  if (s.video == nullptr) return u"out of memory"_s;
  s.video->width = s.size.width();
  s.video->height = s.size.height();
  s.video->time_base = AVRational{1, fps};
  s.video->framerate = AVRational{fps, 1};
  s.video->pix_fmt = AV_PIX_FMT_YUV420P;
  s.video->gop_size = fps * kKeyFrameSeconds;
  // As many threads as the encoder likes: it then works beside the frames' composition.
  s.video->thread_count = 0;
  // The frames are converted with BT.709 into the video range; the stream says so.
  s.video->colorspace = AVCOL_SPC_BT709;
  s.video->color_primaries = AVCOL_PRI_BT709;
  s.video->color_trc = AVCOL_TRC_BT709;
  s.video->color_range = AVCOL_RANGE_MPEG;
  if (h264 != nullptr) {
    av_opt_set(s.video->priv_data, "preset", kX264Preset, 0);
    av_opt_set(s.video->priv_data, "crf", kX264Crf, 0);
  } else {
    s.video->flags |= AV_CODEC_FLAG_QSCALE;
    s.video->global_quality = FF_QP2LAMBDA * kMpeg4Quantiser;
  }
  if (global_header) s.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (const int opened = avcodec_open2(s.video, video, nullptr); opened < 0) {
    return u"the video encoder does not start: "_s + FfmpegErrorText(opened);
  }
  s.video_stream = AddStream(s.format, s.video);
  if (s.video_stream == nullptr) return u"out of memory"_s;
  s.video_stream->avg_frame_rate = s.video->framerate;
  return {};
}

QString StartAudio(VideoStreams& s, bool global_header) {
  const AVCodec* aac = avcodec_find_encoder_by_name("aac");
  if (aac == nullptr || aac->sample_fmts == nullptr) return u"FFmpeg has no AAC encoder"_s;
  s.audio = avcodec_alloc_context3(aac);
  if (s.audio == nullptr) return u"out of memory"_s;
  s.audio->sample_fmt = aac->sample_fmts[0];
  s.audio->sample_rate = kAudioRate;
  s.audio->time_base = AVRational{1, kAudioRate};
  s.audio->bit_rate = kAudioBitRate;
  const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  av_channel_layout_copy(&s.audio->ch_layout, &stereo);
  if (global_header) s.audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (const int opened = avcodec_open2(s.audio, aac, nullptr); opened < 0) {
    return u"the AAC encoder does not start: "_s + FfmpegErrorText(opened);
  }
  s.audio_stream = AddStream(s.format, s.audio);
  return s.audio_stream == nullptr ? u"out of memory"_s : QString();
}

// From the show's pixels and samples to the encoders'.
QString StartConverters(VideoStreams& s) {
  if (swr_alloc_set_opts2(&s.resampler, &s.audio->ch_layout, s.audio->sample_fmt, kAudioRate, &s.audio->ch_layout,
                          AV_SAMPLE_FMT_S16, kAudioRate, 0, nullptr) < 0 ||
      swr_init(s.resampler) < 0) {
    return u"the sound cannot be converted for the AAC encoder"_s;
  }
  s.fifo = av_audio_fifo_alloc(s.audio->sample_fmt, kAudioChannels, s.audio->frame_size);
  // QImage's 32-bit pixels are native-endian 0xAARRGGBB words.
  const QSize size = s.size;
  s.scaler = sws_getContext(size.width(), size.height(), AV_PIX_FMT_RGB32, size.width(), size.height(),
                            AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
  s.picture = av_frame_alloc();
  s.converted = av_frame_alloc();
  s.sound = av_frame_alloc();
  s.packet = av_packet_alloc();
  if (s.fifo == nullptr || s.scaler == nullptr || s.picture == nullptr || s.converted == nullptr ||
      s.sound == nullptr || s.packet == nullptr) {
    return u"out of memory"_s;
  }
  sws_setColorspaceDetails(s.scaler, sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(SWS_CS_ITU709), 0, 0,
                           1 << 16, 1 << 16);
  s.picture->format = AV_PIX_FMT_YUV420P;
  s.picture->width = size.width();
  s.picture->height = size.height();
  return av_frame_get_buffer(s.picture, 0) < 0 ? u"out of memory"_s : QString();
}

QString StartFile(VideoStreams& s, const QByteArray& url) {
  if (const int opened = avio_open(&s.format->pb, url.constData(), AVIO_FLAG_WRITE); opened < 0) {
    return u"cannot create the file: "_s + FfmpegErrorText(opened);
  }
  // The index goes to the front at the end, so that a player starts before the whole
  // file has arrived.
  AVDictionary* options = nullptr;
  av_dict_set(&options, "movflags", "+faststart", 0);
  const int written = avformat_write_header(s.format, &options);
  av_dict_free(&options);
  return written < 0 ? u"cannot write the file's header: "_s + FfmpegErrorText(written) : QString();
}

}  // namespace

VideoEncoder::VideoEncoder(std::unique_ptr<VideoStreams> streams) : streams_(std::move(streams)) {}

VideoEncoder::~VideoEncoder() = default;

std::unique_ptr<VideoEncoder> VideoEncoder::Open(const QString& path, QSize size, int fps, QString* error) {
  QuietFfmpegLog();
  auto s = std::make_unique<VideoStreams>();
  s->size = size;
  // The prefix keeps a colon in the path from being read as a protocol name.
  const QByteArray url = "file:" + QFile::encodeName(path);
  QString why;
  if (avformat_alloc_output_context2(&s->format, nullptr, "mp4", url.constData()) < 0) {
    why = u"FFmpeg cannot write MP4 files"_s;
  } else {
    const bool global_header = (s->format->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    why = StartVideo(*s, fps, global_header);
    if (why.isEmpty()) why = StartAudio(*s, global_header);
    if (why.isEmpty()) why = StartConverters(*s);
    if (why.isEmpty()) why = StartFile(*s, url);
  }
  if (!why.isEmpty()) {
    if (error != nullptr) *error = why;
    return nullptr;
  }
  return std::unique_ptr<VideoEncoder>(new VideoEncoder(std::move(s)));
}

QString VideoEncoder::VideoCodecName() const {
  return QString::fromLatin1(avcodec_get_name(streams_->video->codec_id));
}

bool VideoEncoder::Fail(const QString& step, int code) {
  error_ = u"cannot "_s + step + u": "_s + FfmpegErrorText(code);
  return false;
}

bool VideoEncoder::AddFrame(const QImage& frame) {
  VideoStreams& s = *streams_;
  if (frame.size() != s.size || !IsOpaqueArgb(frame.format())) {
    error_ = u"a frame of another size or pixel format than the video's"_s;
    return false;
  }
  if (!s.has_picture || frame.cacheKey() != s.picture_key) {
    // The encoder may still hold the last one.
    if (const int writable = av_frame_make_writable(s.picture); writable < 0) {
      return Fail(u"convert a frame"_s, writable);
    }
    const uint8_t* planes[] = {frame.constBits()};
    const int strides[] = {int(frame.bytesPerLine())};
    sws_scale(s.scaler, planes, strides, 0, frame.height(), s.picture->data, s.picture->linesize);
    s.picture_key = frame.cacheKey();
    s.has_picture = true;
  }
  s.picture->pts = s.next_video_pts++;
  const int encoded = Encode(s.format, s.video, s.video_stream, s.packet, s.picture);
  return encoded >= 0 || Fail(u"encode a frame"_s, encoded);
}

bool VideoEncoder::AddSound(const qint16* samples, qsizetype frames) {
  VideoStreams& s = *streams_;
  if (frames <= 0) return true;
  if (s.converted->nb_samples < frames) {
    av_frame_unref(s.converted);
    s.converted->format = s.audio->sample_fmt;
    s.converted->nb_samples = int(frames);
    av_channel_layout_copy(&s.converted->ch_layout, &s.audio->ch_layout);
    if (const int made = av_frame_get_buffer(s.converted, 0); made < 0) return Fail(u"convert the sound"_s, made);
  }
  const uint8_t* in[] = {reinterpret_cast<const uint8_t*>(samples)};
  const int converted = swr_convert(s.resampler, s.converted->data, int(frames), in, int(frames));
  if (converted < 0) return Fail(u"convert the sound"_s, converted);
  if (const int kept = av_audio_fifo_write(s.fifo, reinterpret_cast<void**>(s.converted->data), converted);
      kept < converted) {
    return Fail(u"convert the sound"_s, kept < 0 ? kept : AVERROR(ENOMEM));
  }
  while (av_audio_fifo_size(s.fifo) >= s.audio->frame_size) {
    if (!EncodeSound(s.audio->frame_size)) return false;
  }
  return true;
}

bool VideoEncoder::EncodeSound(int frames) {
  VideoStreams& s = *streams_;
  av_frame_unref(s.sound);
  s.sound->format = s.audio->sample_fmt;
  s.sound->sample_rate = s.audio->sample_rate;
  s.sound->nb_samples = frames;
  av_channel_layout_copy(&s.sound->ch_layout, &s.audio->ch_layout);
  if (const int made = av_frame_get_buffer(s.sound, 0); made < 0) return Fail(u"encode the sound"_s, made);
  av_audio_fifo_read(s.fifo, reinterpret_cast<void**>(s.sound->data), frames);
  s.sound->pts = s.next_audio_pts;
  s.next_audio_pts += frames;
  const int encoded = Encode(s.format, s.audio, s.audio_stream, s.packet, s.sound);
  return encoded >= 0 || Fail(u"encode the sound"_s, encoded);
}

bool VideoEncoder::Finish() {
  VideoStreams& s = *streams_;
  // The last samples make a shorter frame.
  if (const int left = av_audio_fifo_size(s.fifo); left > 0 && !EncodeSound(left)) return false;
  if (const int drained = Encode(s.format, s.audio, s.audio_stream, s.packet, nullptr); drained < 0) {
    return Fail(u"encode the sound"_s, drained);
  }
  if (const int drained = Encode(s.format, s.video, s.video_stream, s.packet, nullptr); drained < 0) {
    return Fail(u"encode a frame"_s, drained);
  }
  if (const int written = av_write_trailer(s.format); written < 0) return Fail(u"write the file's index"_s, written);
  if (const int closed = avio_closep(&s.format->pb); closed < 0) return Fail(u"write the file"_s, closed);
  return true;
}

}  // namespace pivlo
