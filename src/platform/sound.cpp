#include "platform/sound.h"

#include "platform/sound_module.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
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

// Beside the executable in a build tree, under lib/ of the install prefix.
// A module that is missing or cannot be loaded leaves the program silent.
detail::SoundPlayers* loadPlayers()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& dir : {here + QStringLiteral("/lib/benchdeck"), here + QStringLiteral("/../lib/benchdeck")}) {
        QLibrary module(dir + QLatin1Char('/') + QLatin1String(detail::SoundModuleName));
        if (!QFileInfo::exists(module.fileName()) || !module.load())
            continue;
        if (const auto make = reinterpret_cast<detail::MakeSoundPlayers>(module.resolve(detail::MakeSoundPlayersName)))
            return make();
    }
    return nullptr;
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
