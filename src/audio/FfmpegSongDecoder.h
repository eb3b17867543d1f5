#pragma once

#include "audio/SongDecoder.h"
#include "core/MediaFiles.h"

#include <QString>

#include <memory>

namespace pivlo {

// A song in any format libavformat reads as audio (MP3, WMA, WAV, ...): the first audio
// stream decoded with libavcodec and resampled with libswresample. Files held by `media`
// or local regular files only. Nothing, with the reason in `error`, when the file cannot
// be decoded.
std::unique_ptr<SongDecoder> OpenFfmpegSong(const QString& path, QString* error, const MediaFiles* media = nullptr);

}  // namespace pivlo
