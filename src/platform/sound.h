#pragma once
// Sounds: a WAV file played asynchronously on one of a few channels. Each
// channel plays one sound at a time; playing again cuts off what that channel
// was playing and starts from the beginning, while the other channels play
// on. A missing or unreadable file, or a machine without an audio device,
// plays nothing, reports nothing and never blocks.
#include <QString>
#include <memory>

namespace platform {

enum class SoundChannel { Dice, Crowd };

class Sound {
public:
    virtual ~Sound() = default;
    // loop: repeat from the start without end until the channel is stopped.
    virtual void play(SoundChannel channel, const QString& wavPath, bool loop) = 0;
    virtual void stop(SoundChannel channel) = 0;
    void stopAll();
};

// The desktop implementation over QSoundEffect (Qt's media player cannot
// play WAV files on every installation), in a module loaded at the first
// sound. A channel's player is made at its first use, so a run that plays
// nothing never loads the audio libraries or opens the audio system.
class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void play(SoundChannel channel, const QString& wavPath, bool loop) override;
    void stop(SoundChannel channel) override;

private:
    struct Players;
    std::unique_ptr<Players> players_;
};

Sound& sound();
// Takes no ownership; nullptr restores the desktop implementation.
void setSound(Sound* current);

}  // namespace platform
