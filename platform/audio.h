#pragma once
// Sound channels mixed by the platform. Sounds are decoded completely when
// loaded; starting one costs only a channel.
#include <cstdint>
#include <memory>
#include <string>

namespace pf {

struct Sound;  // decoded 16-bit samples at the file's own rate, mono or stereo
using SoundRef = std::shared_ptr<Sound>;

// A channel handle; 0 is no channel. A channel the game lets go of keeps
// playing its sound to the end; any number of channels mix freely.
using Channel = int32_t;

constexpr int sound_loop = 1;  // load flag: repeat without end when played

// Decodes an Ogg Vorbis file. A missing, empty, truncated or corrupt file
// gives nullptr and one line on stderr naming the file; playing nullptr is
// silent and harmless.
SoundRef load_sound(const std::string& path, int flags);

Channel cue_sound(const SoundRef& sound);  // on a new channel, paused, from the start
Channel allocate_channel();                // a channel that plays nothing
void set_channel_volume(Channel ch, float volume);  // linear; 0 silent yet still playing
void pause_channel(Channel ch);
void resume_channel(Channel ch);
void stop_channel(Channel ch);  // stops and frees the voice
// True only while a sound is on the channel, unfinished and not paused.
bool channel_playing(Channel ch);

// The volume a channel's sound plays at; 0 for a channel without a sound.
float channel_volume(Channel ch);

// Starts decoding a file on a worker thread, so that a long file (the
// music) decodes while the program does other start-up work. The next
// load_sound of the same path and flags takes the result, waiting for the
// worker if it has not finished; what it returns is exactly what a plain
// load would have returned.
void prefetch_sound(const std::string& path, int flags);

}  // namespace pf
