#include "audio/MidiSynth.h"

#include "audio/AudioFormat.h"
#include "audio/AudioLog.h"
#include "core/MediaFiles.h"
#include "media/MidiDuration.h"

#include <QFile>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <mutex>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// MIDI files are small; anything larger is refused unread (as the duration reader does).
constexpr qint64 kLargestMidiSong = 32 * 1024 * 1024;
// Rendered in FluidSynth's own block size, at which its player moves on.
constexpr int kBlockFrames = 64;

void LogFluid(int level, const char* message, void*) {
  qCDebug(lcAudio) << "fluidsynth" << level << message;
}

// FluidSynth's messages go to our category instead of stderr.
void QuietFluid() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, LogFluid, nullptr);
  });
}

qint16 ToSample(float value) {
  // Rounded and clipped here rather than by FluidSynth's dithered writer, whose noise
  // table depends on the process's rand() state: the same song gives the same samples.
  return qint16(std::clamp(std::lrint(double(value) * 32767.0), -32768L, 32767L));
}

class MidiSongDecoder final : public SongDecoder {
 public:
  MidiSongDecoder(fluid_synth_t* synth, fluid_player_t* player, qint64 frames)
      : synth_(synth), player_(player), left_frames_(frames) {}
  ~MidiSongDecoder() override {
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    // Notes still sounding and the reverb's tail do not reach the next MIDI song.
    fluid_synth_system_reset(synth_);
  }

  qsizetype Read(qint16* out, qsizetype frames) override {
    qsizetype written = 0;
    while (written < frames && left_frames_ > 0 && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING) {
      const int block = int(std::min<qint64>({kBlockFrames, frames - written, left_frames_}));
      if (fluid_synth_write_float(synth_, block, left_, 0, 1, right_, 0, 1) != FLUID_OK) break;
      for (int i = 0; i < block; ++i) {
        out[(written + i) * kAudioChannels] = ToSample(left_[i]);
        out[(written + i) * kAudioChannels + 1] = ToSample(right_[i]);
      }
      written += block;
      left_frames_ -= block;
    }
    return written;
  }

 private:
  fluid_synth_t* synth_;
  fluid_player_t* player_;
  qint64 left_frames_;
  float left_[kBlockFrames] = {};
  float right_[kBlockFrames] = {};
};

}  // namespace

std::unique_ptr<MidiSynth> MidiSynth::Create(const QString& soundfont, QString* error) {
  const auto fail = [error](const QString& why) {
    if (error) *error = why;
    return nullptr;
  };
  if (soundfont.isEmpty()) return fail(u"no General MIDI SoundFont is installed"_s);
  QuietFluid();
  std::unique_ptr<MidiSynth> midi(new MidiSynth);
  midi->settings_ = new_fluid_settings();
  if (midi->settings_ == nullptr) return fail(u"out of memory"_s);
  fluid_settings_setnum(midi->settings_, "synth.sample-rate", kAudioRate);
  // The player moves on with the samples rendered, not with a timer of its own, so a song
  // renders the same offline and on a device.
  fluid_settings_setstr(midi->settings_, "player.timing-source", "sample");
  fluid_settings_setint(midi->settings_, "player.reset-synth", 1);
  fluid_settings_setint(midi->settings_, "synth.lock-memory", 0);
  midi->synth_ = new_fluid_synth(midi->settings_);
  if (midi->synth_ == nullptr) return fail(u"FluidSynth cannot start"_s);
  if (fluid_synth_sfload(midi->synth_, QFile::encodeName(soundfont).constData(), 1) == FLUID_FAILED) {
    return fail(soundfont + u": not a SoundFont FluidSynth can load"_s);
  }
  qCDebug(lcAudio) << "MIDI songs play with" << soundfont;
  return midi;
}

MidiSynth::~MidiSynth() {
  if (synth_ != nullptr) delete_fluid_synth(synth_);
  if (settings_ != nullptr) delete_fluid_settings(settings_);
}

std::unique_ptr<SongDecoder> MidiSynth::Open(const QString& path, QString* error, const MediaFiles* media) {
  const auto fail = [error](const QString& why) {
    if (error) *error = why;
    return nullptr;
  };
  const std::optional<QByteArray> bytes = ReadMediaFile(media, path, kLargestMidiSong, error);
  if (!bytes) return nullptr;
  // The song ends with its last event, as long as the music list measured it: FluidSynth's
  // player would go on while notes fade and then wait two seconds for the reverb.
  const std::optional<double> seconds = MidiDuration(*bytes);
  if (!seconds) return fail(u"not a Standard MIDI File"_s);
  fluid_player_t* player = new_fluid_player(synth_);
  if (player == nullptr) return fail(u"FluidSynth cannot make a player"_s);
  // FluidSynth copies the bytes.
  if (fluid_player_add_mem(player, bytes->constData(), size_t(bytes->size())) != FLUID_OK ||
      fluid_player_play(player) != FLUID_OK) {
    delete_fluid_player(player);
    return fail(u"FluidSynth cannot play it"_s);
  }
  return std::make_unique<MidiSongDecoder>(synth_, player, std::llround(*seconds * kAudioRate));
}

}  // namespace pivlo
