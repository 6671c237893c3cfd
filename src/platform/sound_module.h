#pragma once
// The desktop's sound players live in a module of their own
// (lib/benchdeck/libbenchdeck_sound.so beside the executable, or under the
// install prefix), loaded at the first sound: the audio libraries it brings
// are many, and a start that plays nothing needs none of them.
#include <QString>

namespace platform::detail {

class SoundPlayers {
public:
    virtual ~SoundPlayers() = default;
    virtual void play(int channel, const QString& wavPath, bool loop) = 0;
    virtual void stop(int channel) = 0;
};

// The module's one entry point, found by this name.
using MakeSoundPlayers = SoundPlayers* (*)();
inline constexpr char MakeSoundPlayersName[] = "benchdeck_make_sound_players";
inline constexpr char SoundModuleName[] = "libbenchdeck_sound.so";

}  // namespace platform::detail
