#include "platform/sound.h"

#include "platform/modules.h"
#include "platform/sound_module.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace platform {

namespace {

Sound*& current()
{
    static Sound* c = nullptr;
    return c;
}

constexpr std::array<SoundChannel, 2> allChannels{SoundChannel::Dice, SoundChannel::Crowd};

}  // namespace

void Sound::stopAll()
{
    for (const SoundChannel channel : allChannels)
        stop(channel);
}

struct QtSound::Players {
    bool loaded = false;
    std::unique_ptr<detail::SoundPlayers> players;
};

namespace {

// A module that is missing or cannot be loaded leaves the program silent.
detail::SoundPlayers* loadPlayers()
{
    const auto make = reinterpret_cast<detail::MakeSoundPlayers>(
        detail::moduleEntry(detail::SoundModuleName, detail::MakeSoundPlayersName));
    return make ? make() : nullptr;
}

}  // namespace

QtSound::QtSound() : players_(std::make_unique<Players>()) {}

QtSound::~QtSound() = default;

void QtSound::play(SoundChannel channel, const QString& wavPath, bool loop)
{
    if (!QCoreApplication::instance())
        return;
    if (!std::exchange(players_->loaded, true))
        players_->players.reset(loadPlayers());
    if (players_->players)
        players_->players->play(int(channel), wavPath, loop);
}

void QtSound::stop(SoundChannel channel)
{
    if (players_->players)
        players_->players->stop(int(channel));
}

Sound& sound()
{
    static QtSound desktop;
    return current() ? *current() : desktop;
}

void setSound(Sound* c)
{
    current() = c;
}

}  // namespace platform
