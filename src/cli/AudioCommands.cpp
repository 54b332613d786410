#include "cli/AudioCommands.h"

#include "AudioManagers/AudioFileRecorder.h"
#include "AudioManagers/AudioPlayer.h"
#include "AudioManagers/AudioVoicePrintRecorder.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/Backends/VirtualSpeaker.h"
#include "Platform/System/BundleResources.h"
#include "Platform/Time/Clock.h"
#include "cli/ZarnethCli.h"

#include <QFile>
#include <charconv>
#include <chrono>
#include <ostream>

namespace {

constexpr double kDefaultRecordingSeconds = 2.0;
constexpr double kLongestRecordingSeconds = 60.0;
// How much longer than it should a recording or a sound may take to end.
constexpr double kGraceSeconds = 10.0;

Clock::Duration secondsToDuration(double seconds)
{
    return std::chrono::duration_cast<Clock::Duration>(std::chrono::duration<double>(seconds));
}

std::optional<double> secondsIn(const std::string& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !(value > 0) || value > kLongestRecordingSeconds)
        return std::nullopt;
    return value;
}

int promptNumberOf(const std::string& name)
{
    for (std::size_t i = 0; i < AudioPlayer::kSystemSamples.size(); ++i) {
        if (name == AudioPlayer::kSystemSamples[i])
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int AudioCommands::record(Arguments arguments)
{
    double seconds = kDefaultRecordingSeconds;
    bool json = false;
    QString outPath;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            json = true;
        } else if ((argument == "--seconds" || argument == "--out") && i + 1 < arguments.size()) {
            const std::string& value = arguments[++i];
            if (argument == "--out") {
                outPath = QString::fromStdString(value);
                continue;
            }
            const std::optional<double> parsed = secondsIn(value);
            if (!parsed)
                return m_cli.usageError("--seconds takes a length above 0 and up to 60");
            seconds = *parsed;
        } else {
            return m_cli.usageError("record takes --seconds S, --json and --out FILE.caf");
        }
    }

    // Both recorders at once on one utterance, as a training records it.
    AudioDevice& device = m_cli.audioDevice();
    AudioVoicePrintRecorder voice(device);
    std::unique_ptr<AudioFileRecorder> file;
    if (!outPath.isNull())
        file = std::make_unique<AudioFileRecorder>(outPath, device);
    voice.record();
    if (file)
        file->record();
    bool stopped = false;
    device.clock().schedule(secondsToDuration(seconds), [&] {
        voice.stop();
        if (file)
            file->stop();
        stopped = true;
    });
    device.clock().runUntil([&stopped] { return stopped; }, secondsToDuration(seconds + kGraceSeconds));
    if (!stopped)
        return m_cli.failure("the recording did not end", ZarnethCli::kWriteFailed);
    if (file && !QFile::exists(outPath))
        return m_cli.failure("cannot write " + outPath.toStdString(), ZarnethCli::kWriteFailed);

    const std::shared_ptr<ZRVoicePrint> print = voice.voicePrint();
    const ZRVoicePrint empty {std::vector<std::int32_t> {}};
    m_cli.writeVoicePrint(print ? ZRVoicePrint::kCalculated : ZRVoicePrint::kEmptyData, print ? *print : empty, json);
    return ZarnethCli::kSuccess;
}

int AudioCommands::play(Arguments arguments)
{
    if (arguments.size() != 1)
        return m_cli.usageError("play takes one sound file or prompt name");
    const std::string& what = arguments[0];
    const int prompt = promptNumberOf(what);
    const QString path = prompt >= 0 ? BundleResources::pathForResource(QString::fromStdString(what), "caf")
                                     : QString::fromStdString(what);
    std::unique_ptr<AudioFile> file;
    if (!path.isNull())
        file = AudioFile::open(QFile::encodeName(path).toStdString());
    if (!file)
        return m_cli.failure("cannot play '" + what + "': no such sound file", ZarnethCli::kUnusable);
    const auto length = secondsToDuration(static_cast<double>(file->packetCount()) / file->dataFormat().mSampleRate);

    AudioDevice& device = m_cli.audioDevice();
    AudioPlayer player(device);
    bool ended = false;
    player.setStopEvent([&ended] { ended = true; });
    if (prompt >= 0)
        player.playSystemSample(prompt);
    else
        player.playFileWithURL(path);
    if (!device.clock().runUntil([&ended] { return ended; }, length + secondsToDuration(kGraceSeconds)))
        return m_cli.failure("the sound did not end", ZarnethCli::kWriteFailed);

    m_cli.out() << "played " << what << '\n';
    if (const VirtualSpeaker* speaker = m_cli.virtualSpeaker()) {
        for (const VirtualSpeaker::Sound& sound : speaker->playedSounds()) {
            const double start = std::chrono::duration<double>(sound.start).count();
            const double end = std::chrono::duration<double>(sound.end).count();
            m_cli.out() << "virtual speaker: " << sound.samples.size() / static_cast<std::size_t>(sound.channels)
                        << " frames at " << sound.sampleRate << " Hz, from " << start << " s to " << end << " s\n";
        }
    }
    return ZarnethCli::kSuccess;
}
