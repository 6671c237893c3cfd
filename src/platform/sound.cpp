#include "platform/sound.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <array>

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

// The players belong to the application object: they must go before it does,
// whereas the desktop implementation lives until the end of the process.
struct QtSound::Players {
    std::array<QPointer<QSoundEffect>, allChannels.size()> effect;
};

QtSound::QtSound() : players_(std::make_unique<Players>()) {}

QtSound::~QtSound()
{
    for (auto& effect : players_->effect)
        delete effect.data();
}

void QtSound::play(SoundChannel channel, const QString& wavPath, bool loop)
{
    auto& slot = players_->effect[static_cast<size_t>(channel)];
    if (!slot) {
        if (!QCoreApplication::instance())
            return;
        slot = new QSoundEffect(QCoreApplication::instance());
    }
    QSoundEffect* effect = slot.data();
    effect->stop();
    const QUrl source = QUrl::fromLocalFile(wavPath);
    if (effect->source() != source)
        effect->setSource(source);
    effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    // A sound not yet loaded starts once it is; one that cannot be loaded
    // stays silent.
    effect->play();
}

void QtSound::stop(SoundChannel channel)
{
    if (auto& slot = players_->effect[static_cast<size_t>(channel)])
        slot->stop();
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
