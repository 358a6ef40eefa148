#include "TestEnvironment.h"

#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// The parts of a PCM WAV file that players rely on, or what makes it none. Every shipped file
// has the plain layout: a RIFF header, a 16-byte format chunk and the samples, nothing else.
struct WavFile
{
    QString error;
    int format = 0, channels = 0, sampleRate = 0, bitsPerSample = 0;
    QList<qint16> samples;
};

WavFile readWav(const QByteArray& bytes)
{
    WavFile wav;
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 46 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt " ||
        u32(16) != 16 || bytes.mid(36, 4) != "data")
        wav.error = QStringLiteral("not a RIFF/WAVE file of a format chunk and a data chunk");
    else if (u32(4) != quint32(bytes.size() - 8) || u32(40) != quint32(bytes.size() - 44))
        wav.error = QStringLiteral("a chunk size does not match the file");
    if (!wav.error.isEmpty())
        return wav;
    wav.format = u16(20);
    wav.channels = u16(22);
    wav.sampleRate = int(u32(24));
    wav.bitsPerSample = u16(34);
    if (u32(28) != quint32(wav.sampleRate * wav.channels * wav.bitsPerSample / 8) ||
        u16(32) != wav.channels * wav.bitsPerSample / 8)
        wav.error = QStringLiteral("inconsistent byte rate or block alignment");
    for (qsizetype at = 44; at + 1 < bytes.size(); at += 2)
        wav.samples << qint16(u16(at));
    return wav;
}

} // namespace

class TestSoundFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachEffectShipsAShortCleanWav_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 10; ++i)
            QTest::newRow(qPrintable(Sound::fileNameForEffect(i))) << i;
    }

    void eachEffectShipsAShortCleanWav()
    {
        QFETCH(int, index);
        const QString name = Sound::fileNameForEffect(index);
        const QString path = Sound::pathForName(name);
        QVERIFY2(path.endsWith("/sounds/" + name + ".wav"), qPrintable(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.size() < 16 * 1024, "an interface sound is a few kilobytes");

        const WavFile wav = readWav(bytes);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        // PCM, mono, 16 bits.
        QCOMPARE(QList<int>({wav.format, wav.channels, wav.bitsPerSample}), QList<int>({1, 1, 16}));
        QVERIFY(wav.sampleRate >= 8000 && wav.sampleRate <= 48000);
        const double seconds = double(wav.samples.size()) / wav.sampleRate;
        QVERIFY2(seconds >= 0.05 && seconds <= 0.5, qPrintable(QString::number(seconds)));

        int peak = 0;
        for (qint16 sample : wav.samples)
            peak = std::max(peak, std::abs(int(sample)));
        QVERIFY2(peak > 8000 && peak < 32767, "audible and not clipped");
        // Starting and ending near silence keeps the speaker from clicking.
        QVERIFY(std::abs(int(wav.samples.first())) < 1000 &&
                std::abs(int(wav.samples.last())) < 1000);
    }

    void unknownNamesAndIndexesPlayNothing()
    {
        QTemporaryDir dir;
        UserDefaults defaults(dir.filePath("prefs.json"));
        const Sound::PreferencesScope sound(&defaults);
        QVERIFY(Sound::pathForName("Hero").isEmpty());
        QVERIFY(Sound::fileNameForEffect(12).isEmpty());

        const int before = Sound::playRequestCount();
        Sound::soundEffect(3); // "soundOn" is off
        QCOMPARE(Sound::playRequestCount(), before);
        defaults.setBool(true, PrefKey::soundOn);
        Sound::soundEffect(12);
        Sound::soundEffect(-1);
        QCOMPARE(Sound::playRequestCount(), before);

        // Whether or not this machine has a sound device, playing returns at once.
        QElapsedTimer timer;
        timer.start();
        Sound::soundEffect(Sound::AddDone);
        QCOMPARE(Sound::playRequestCount(), before + 1);
        QVERIFY(timer.elapsed() < 2000);
    }
};

VELMORAN_TEST_MAIN(TestSoundFiles)
#include "tst_soundfiles.moc"
