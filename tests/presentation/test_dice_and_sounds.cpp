// The dice arithmetic, the generator, and the sounds and die faces the
// program-folder generator writes.
#include "platform/sound.h"
#include "presentation/dice.h"
#include "presentation/pip_masks.h"
#include "presentation/sounds.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>
#include <cmath>

TEST(Dice, FacesCoverEveryValueAndNoMoreAtTheEdgesOfTheDraw)
{
    struct Row {
        int sides;
        bool fromZero;
        int low, high;
    };
    const Row rows[] = {{10, true, 0, 9}, {20, false, 1, 20}, {4, false, 1, 4}, {12, false, 1, 12}, {6, false, 1, 6}};
    const double justBelowOne = std::nextafter(1.0, 0.0);
    for (const Row& r : rows) {
        EXPECT_EQ(dice::faceOf(0.0, r.sides, r.fromZero), r.low) << r.sides;
        EXPECT_EQ(dice::faceOf(justBelowOne, r.sides, r.fromZero), r.high) << r.sides;
        // Each face takes an equal share of [0, 1).
        EXPECT_EQ(dice::faceOf(1.0 / r.sides, r.sides, r.fromZero), r.low + 1) << r.sides;
    }
}

TEST(Dice, OneSeededGeneratorRepeatsItsSequenceAndStaysBelowOne)
{
    dice::seed(7);
    std::vector<double> first;
    for (int i = 0; i < 5000; ++i)
        first.push_back(dice::draw());
    dice::seed(7);
    double sum = 0;
    for (int i = 0; i < 5000; ++i) {
        const double r = dice::draw();
        ASSERT_EQ(r, first[size_t(i)]);
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        sum += r;
    }
    EXPECT_NEAR(sum / 5000, 0.5, 0.02);
    // Consecutive draws differ: no re-seeding between the steps of a tick.
    EXPECT_NE(first[0], first[1]);
}

namespace {

struct Wav {
    QByteArray bytes;
    quint32 u32(int at) const { return qFromLittleEndian<quint32>(bytes.constData() + at); }
    quint16 u16(int at) const { return qFromLittleEndian<quint16>(bytes.constData() + at); }
    qint16 sample(int i) const { return qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * i); }
    int samples() const { return int(u32(40) / 2); }
    double seconds() const { return double(samples()) / u32(24); }
};

Wav readWav(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return Wav{f.readAll()};
}

}  // namespace

TEST(GeneratedFolder, SoundsAreSixteenBitPcmWavOfTheirLengthAndTheCrowdLoopsWithoutAClick)
{
    TempProgramFolder folder;
    for (const QString& name : {QStringLiteral("DiceRoll.wav"), QStringLiteral("BaseballCrowd.wav")}) {
        const Wav w = readWav(folder.file(name));
        ASSERT_GE(w.bytes.size(), 44) << name.toStdString();
        EXPECT_EQ(w.bytes.left(4), "RIFF");
        EXPECT_EQ(w.u32(4), quint32(w.bytes.size() - 8));
        EXPECT_EQ(w.bytes.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(w.u32(16), 16u);
        EXPECT_EQ(w.u16(20), 1u) << "PCM";
        const quint16 channels = w.u16(22);
        EXPECT_EQ(w.u16(34), 16u) << "bits per sample";
        EXPECT_EQ(w.u16(32), channels * 2u) << "block align";
        EXPECT_EQ(w.u32(28), w.u32(24) * channels * 2u) << "byte rate";
        EXPECT_EQ(w.bytes.mid(36, 4), "data");
        EXPECT_EQ(w.u32(40), quint32(w.bytes.size() - 44));
    }
    const Wav rattle = readWav(folder.file("DiceRoll.wav"));
    ASSERT_GE(rattle.bytes.size(), 44);
    EXPECT_GE(rattle.seconds(), 0.5);
    EXPECT_LE(rattle.seconds(), 1.5);

    // The step from the last sample back to the first is no bigger than the
    // steps within the loop, and the loop does not fade out or in there.
    const Wav crowd = readWav(folder.file("BaseballCrowd.wav"));
    ASSERT_GE(crowd.bytes.size(), 44);
    const int n = crowd.samples();
    ASSERT_GT(n, 22050);
    int largestStep = 0;
    double headPower = 0, tailPower = 0, allPower = 0;
    const int window = 2205;
    for (int i = 0; i < n; ++i) {
        const double s = crowd.sample(i);
        allPower += s * s;
        if (i < window)
            headPower += s * s;
        if (i >= n - window)
            tailPower += s * s;
        if (i > 0)
            largestStep = std::max(largestStep, std::abs(crowd.sample(i) - crowd.sample(i - 1)));
    }
    const double meanPower = allPower / n * window;
    EXPECT_LE(std::abs(crowd.sample(n - 1) - crowd.sample(0)), largestStep / 2);
    EXPECT_GT(headPower, meanPower * 0.3);
    EXPECT_GT(tailPower, meanPower * 0.3);
}

TEST(GeneratedFolder, DieFacesAreDrawnFromThePipMasks)
{
    TempProgramFolder folder;
    const int sizes[3] = {72, 72, 73};
    for (int die = 0; die < 3; ++die)
        for (int face = 1; face <= 6; ++face) {
            const QString path = dice::faceFile(die, face);
            QImage img(path);
            ASSERT_FALSE(img.isNull()) << path.toStdString();
            EXPECT_EQ(img.size(), QSize(sizes[die], sizes[die]));
            QFile raw(path);
            ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
            const QByteArray header = raw.read(30);
            EXPECT_EQ(header.left(2), "BM");
            EXPECT_EQ(qFromLittleEndian<quint16>(header.constData() + 28), 24u) << "bits per pixel";
            // The centre pip is there on the odd faces only.
            const QColor centre = img.pixelColor(img.width() / 2 - 1, img.height() / 2 - 1);
            const QColor beside = img.pixelColor(img.width() / 2 - 1, img.height() / 3 + 1);
            const bool centrePip = QString::fromLatin1(dice::pipMaskRows[face][1]).startsWith("0,1");
            EXPECT_EQ(centre != beside, centrePip) << path.toStdString();
        }
}

// The libraries this process has mapped, by file name.
static QString mappedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
}

// The audio libraries come with the sound module at the first sound, not
// with the program: a module that is not found would leave every run silent.
TEST(Sound, DesktopLayerNeverBlocksOrReportsWithoutADeviceOrAFile)
{
    TempProgramFolder folder;
    ScriptedInteraction ui;
    platform::QtSound sound;
    sound.stopAll();
    // (Unless an earlier test of this process played a sound.)
    if (!mappedLibraries().contains(QStringLiteral("libbenchdeck_sound.so"))) {
        EXPECT_FALSE(mappedLibraries().contains(QStringLiteral("libQt6Multimedia")));
    }
    sound.play(platform::SoundChannel::Crowd, sounds::CrowdSoundFile(), true);
    EXPECT_TRUE(mappedLibraries().contains(QStringLiteral("libbenchdeck_sound.so")));
    EXPECT_TRUE(mappedLibraries().contains(QStringLiteral("libQt6Multimedia")));
    sound.play(platform::SoundChannel::Dice, sounds::DiceSoundFile(), false);
    sound.play(platform::SoundChannel::Dice, folder.file("missing.wav"), false);
    sound.play(platform::SoundChannel::Dice, folder.file("Teams"), false);
    sound.stopAll();
    sound.stop(platform::SoundChannel::Crowd);
    EXPECT_TRUE(ui.prompts.empty());
}
