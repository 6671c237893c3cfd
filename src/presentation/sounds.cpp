#include "presentation/sounds.h"

#include "common/program_folder.h"
#include "platform/sound.h"

namespace sounds {

QString DiceSoundFile()
{
    return folder::resolve(QStringLiteral("DiceRoll.wav"));
}

QString CrowdSoundFile()
{
    return folder::resolve(QStringLiteral("BaseballCrowd.wav"));
}

void PlayDiceSound(bool muted)
{
    if (!muted)
        platform::sound().play(platform::SoundChannel::Dice, DiceSoundFile(), false);
}

void SetCrowdNoise(bool on)
{
    if (on)
        platform::sound().play(platform::SoundChannel::Crowd, CrowdSoundFile(), true);
    else
        platform::sound().stop(platform::SoundChannel::Crowd);
}

void StopAllSounds()
{
    platform::sound().stopAll();
}

}  // namespace sounds
