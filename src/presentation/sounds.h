#pragma once
// The board's two sounds: the dice rattle that both rollers play, on one
// channel of its own, and the crowd noise, played in an endless loop on
// another, so a roll never interrupts the crowd.
#include <QString>

namespace sounds {

// "DiceRoll.wav" and "BaseballCrowd.wav" of the program folder.
QString DiceSoundFile();
QString CrowdSoundFile();

// Starts the dice sound from its beginning unless the dice are muted.
void PlayDiceSound(bool muted);
// Starts the crowd noise from its beginning, or stops it.
void SetCrowdNoise(bool on);
void StopAllSounds();

}  // namespace sounds
