#pragma once
// The sound seam for tests: records every call as text ("play Dice
// DiceRoll.wav once", "play Crowd BaseballCrowd.wav loop", "stop Crowd") and
// can fail the next play, so no test touches an audio device.
#include "platform/sound.h"

#include <QStringList>

class RecordingSound : public platform::Sound {
public:
    RecordingSound();
    ~RecordingSound() override;

    void play(platform::SoundChannel channel, const QString& wavPath, bool loop) override;
    void stop(platform::SoundChannel channel) override;

    QStringList calls;
    // The full path of the last file played.
    QString lastPath;
    // The next play throws a "File not found" failure.
    bool failNextPlay = false;
};
