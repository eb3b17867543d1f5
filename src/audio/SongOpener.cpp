#include "audio/SongOpener.h"

#include "audio/FfmpegSongDecoder.h"
#include "core/PathRules.h"

namespace pivlo {

std::unique_ptr<SongDecoder> SongOpener::Open(const QString& path, QString* error, const MediaFiles* media) {
  // The file's type by its last three letters, as everywhere in the project.
  if (FileTypeOfPath(path) != u"MID") return OpenFfmpegSong(path, error, media);
  PrepareMidi();
  if (!synth_) {
    if (error) *error = synth_error_;
    return nullptr;
  }
  return synth_->Open(path, error, media);
}

void SongOpener::PrepareMidi() {
  if (!synth_ && synth_error_.isEmpty()) synth_ = MidiSynth::Create(soundfont_, &synth_error_);
}

}  // namespace pivlo
