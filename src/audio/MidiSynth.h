#pragma once

#include "audio/SongDecoder.h"
#include "core/MediaFiles.h"

#include <QString>

#include <memory>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace pivlo {

// A FluidSynth synthesizer at the show's rate with a General MIDI SoundFont loaded, which
// plays MIDI songs one at a time. Loading the SoundFont is the slow part, so a stream
// keeps one for all its MIDI songs.
class MidiSynth {
 public:
  // Nothing, with the reason in `error`, when the SoundFont cannot be loaded.
  static std::unique_ptr<MidiSynth> Create(const QString& soundfont, QString* error);
  ~MidiSynth();
  MidiSynth(const MidiSynth&) = delete;
  MidiSynth& operator=(const MidiSynth&) = delete;

  // A Standard MIDI File rendered from its start to its last event (the length the music
  // list measures). The synth must outlive
  // the decoder, and only one decoder of a synth may be open at a time. Nothing, with the
  // reason in `error`, when the file is no MIDI file.
  std::unique_ptr<SongDecoder> Open(const QString& path, QString* error, const MediaFiles* media = nullptr);

 private:
  MidiSynth() = default;

  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
};

}  // namespace pivlo
