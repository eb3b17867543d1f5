#pragma once

#include "audio/MidiSynth.h"
#include "audio/SongDecoder.h"
#include "audio/SoundFont.h"
#include "core/MediaFiles.h"

#include <QString>

#include <memory>

namespace pivlo {

// Opens the songs of one stream: MIDI files (".mid") with FluidSynth, whose synthesizer is
// made at the first MIDI song and kept; everything else with FFmpeg.
class SongOpener {
 public:
  explicit SongOpener(QString soundfont = FindSoundFont()) : soundfont_(std::move(soundfont)) {}

  // Only one MIDI song can be open at a time. Nothing, with the reason in `error`, when
  // the song cannot be decoded.
  std::unique_ptr<SongDecoder> Open(const QString& path, QString* error, const MediaFiles* media = nullptr);
  // Loads the SoundFont now rather than at the first MIDI song, so that loading it does
  // not hold up a stream already playing.
  void PrepareMidi();

 private:
  QString soundfont_;
  std::unique_ptr<MidiSynth> synth_;
  QString synth_error_;  // why the synthesizer could not be made; then no MIDI song plays
};

}  // namespace pivlo
