#include "media/MediaDuration.h"

#include "core/PathRules.h"
#include "core/basByteFiles.h"
#include "media/MidiDuration.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <mutex>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/log.h>
}

namespace pivlo {
namespace {

// Enough to recognise the format and find the stream parameters that the duration needs:
// the duration itself comes from the container's header, or from the file size and the
// bit rate, so probing further only costs time (64 KB made measuring a WAV ten times
// slower). Format detection skips a larger ID3v2 tag by itself.
constexpr const char* kProbeSize = "4096";
constexpr const char* kAnalyzeMicroseconds = "500000";

std::optional<double> LibavformatDuration(const QString& path) {
  static std::once_flag quiet;
  std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });

  // Opened here, so that a FIFO is refused rather than waited on; FFmpeg reads the
  // opened file.
  QFile file;
  if (!OpenRegularFile(file, path)) return {};
  AVDictionary* options = nullptr;
  // Plain local files only: no network, and no playlist reaching for other protocols.
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  av_dict_set(&options, "probesize", kProbeSize, 0);
  av_dict_set(&options, "analyzeduration", kAnalyzeMicroseconds, 0);
  // The prefix keeps a colon in the path from being read as a protocol name.
  const QByteArray url =
      "file:" + QFile::encodeName(OpenFilePath(file.handle(), QFileInfo(path).absoluteFilePath()));
  AVFormatContext* context = nullptr;
  const int opened = avformat_open_input(&context, url.constData(), nullptr, &options);
  av_dict_free(&options);
  if (opened < 0) return {};
  const auto close = qScopeGuard([&context] { avformat_close_input(&context); });

  if (avformat_find_stream_info(context, nullptr) < 0) return {};
  bool has_audio = false;
  for (unsigned i = 0; i < context->nb_streams; ++i) {
    has_audio = has_audio || context->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
  }
  if (!has_audio || context->duration == AV_NOPTS_VALUE || context->duration < 0) return {};
  return double(context->duration) / AV_TIME_BASE;
}

}  // namespace

std::optional<double> MediaDuration(const QString& path) {
  if (FileTypeOfPath(path) == u"MID") return MidiFileDuration(path);
  return LibavformatDuration(path);
}

}  // namespace pivlo
