// The sound module: each channel a QSoundEffect, made at its first use.
#include "platform/sound_module.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <array>

namespace {

// The players belong to the application object: they must go before it does,
// whereas the desktop implementation lives until the end of the process.
class EffectPlayers : public platform::detail::SoundPlayers {
public:
    ~EffectPlayers() override
    {
        for (auto& effect : effects_)
            delete effect.data();
    }

    void play(int channel, const QString& wavPath, bool loop) override
    {
        auto& slot = effects_.at(size_t(channel));
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

    void stop(int channel) override
    {
        if (auto& slot = effects_.at(size_t(channel)))
            slot->stop();
    }

private:
    std::array<QPointer<QSoundEffect>, 2> effects_;
};

}  // namespace

extern "C" Q_DECL_EXPORT platform::detail::SoundPlayers* benchdeck_make_sound_players()
{
    return new EffectPlayers;
}
