#include "TestEnvironment.h"

#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// The parts of a PCM WAV file that players rely on, or what makes it none.
struct WavFile
{
    QString error;
    int format = 0, channels = 0, sampleRate = 0, bitsPerSample = 0;
    QList<qint16> samples;
};

WavFile readWav(const QByteArray& bytes)
{
    WavFile wav;
    const auto failure = [&wav](const QString& error) {
        wav.error = error;
        return wav;
    };
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return failure(QStringLiteral("not a RIFF/WAVE file"));
    if (u32(4) != quint32(bytes.size() - 8))
        return failure(QStringLiteral("RIFF size does not match the file"));
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > bytes.size())
            return failure(
                QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id)));
        if (id == "fmt ") {
            if (size < 16)
                return failure(QStringLiteral("short fmt chunk"));
            wav.format = u16(body);
            wav.channels = u16(body + 2);
            wav.sampleRate = int(u32(body + 4));
            wav.bitsPerSample = u16(body + 14);
            if (u32(body + 8) != quint32(wav.sampleRate * wav.channels * wav.bitsPerSample / 8) ||
                u16(body + 12) != wav.channels * wav.bitsPerSample / 8)
                return failure(QStringLiteral("inconsistent byte rate or block alignment"));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return failure(QStringLiteral("data before fmt"));
            for (qsizetype i = 0; i + 1 < size; i += 2)
                wav.samples << qint16(u16(body + i));
        }
        at = body + size + (size % 2);
    }
    if (!haveFormat || wav.samples.isEmpty())
        wav.error = QStringLiteral("no format or no samples");
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
