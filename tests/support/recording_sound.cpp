#include "support/recording_sound.h"

#include "common/guard.h"

#include <QFileInfo>

namespace {

QString nameOf(platform::SoundChannel channel)
{
    return channel == platform::SoundChannel::Dice ? QStringLiteral("Dice") : QStringLiteral("Crowd");
}

}  // namespace

RecordingSound::RecordingSound()
{
    platform::setSound(this);
}

RecordingSound::~RecordingSound()
{
    platform::setSound(nullptr);
}

void RecordingSound::play(platform::SoundChannel channel, const QString& wavPath, bool loop)
{
    if (failNextPlay) {
        failNextPlay = false;
        errors::raise(errors::FileNotFound);
    }
    lastPath = wavPath;
    calls << QStringLiteral("play %1 %2 %3")
                 .arg(nameOf(channel), QFileInfo(wavPath).fileName(), loop ? QStringLiteral("loop") : QStringLiteral("once"));
}

void RecordingSound::stop(platform::SoundChannel channel)
{
    calls << QStringLiteral("stop ") + nameOf(channel);
}
