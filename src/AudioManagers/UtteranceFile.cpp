#include "AudioManagers/UtteranceFile.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/Audio/AudioFile.h"
#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/Audio/PcmBytes.h"

#include <QFile>

std::optional<UtteranceFile> UtteranceFile::read(const std::string& path, std::string* error)
{
    const AudioFileDecoder::Result forPrint = AudioFileDecoder::decode(path, kVoicePrintRate);
    if (!forPrint.ok()) {
        *error = forPrint.error;
        return std::nullopt;
    }
    AudioFileDecoder::Result forFile = AudioFileDecoder::decode(path, kSampleFileRate);
    if (!forFile.ok()) {
        *error = forFile.error;
        return std::nullopt;
    }

    UtteranceFile utterance;
    utterance.m_path = path;
    ZRVoicePrint print;
    utterance.m_status = print.calculateVoicePrint(PcmBytes::bigEndian(forPrint.samples));
    utterance.m_voicePrint = std::move(print);
    utterance.m_recording = std::move(forFile.samples);
    return utterance;
}

bool UtteranceFile::writeSampleFile(const QString& samplePath) const
{
    const AudioStreamBasicDescription format = linearPCM16(kSampleFileRate, 1, std::endian::little, PCMPacking::Packed);
    std::unique_ptr<AudioFile> file = AudioFile::create(QFile::encodeName(samplePath).toStdString(), format);
    if (!file)
        return false;
    const std::vector<std::uint8_t> bytes = PcmBytes::littleEndian(m_recording);
    const auto packets = static_cast<std::uint32_t>(m_recording.size());
    const bool written = file->writePackets(0, packets, bytes.data()) == packets;
    file->close();
    return written;
}

bool UtteranceFile::addAsSampleOf(const std::shared_ptr<ZRCommand>& command, ZRCommandList& store) const
{
    const std::shared_ptr<ZRSample> sample = ZRSample::initForCommand(*command);
    if (!writeSampleFile(sample->filePath())) {
        sample->clearSampleFile();
        return false;
    }
    sample->setVoicePrint(std::make_shared<ZRVoicePrint>(m_voicePrint));
    const bool isNew = command->numberOfSamples() == 0;
    command->setSample(sample);
    if (isNew)
        store.addCommand(command);
    return true;
}
