#include "Platform/Audio/Backends/VirtualMicrophone.h"

#include "Platform/Audio/AudioFileDecoder.h"
#include "Platform/System/Log.h"

#include <QFile>
#include <algorithm>

VirtualMicrophone::VirtualMicrophone(QStringList utterances)
    : m_utterances(std::move(utterances))
{
}

void VirtualMicrophone::addUtterance(const QString& file)
{
    m_utterances.append(file);
}

void VirtualMicrophone::open()
{
    if (m_openStreams++ > 0)
        return;
    m_current = m_next < m_utterances.size() ? m_utterances[m_next++] : QString();
    m_decoded.clear();
}

void VirtualMicrophone::close()
{
    if (m_openStreams > 0)
        --m_openStreams;
}

std::vector<std::int16_t> VirtualMicrophone::samples(int rate, std::size_t from, std::size_t count)
{
    std::vector<std::int16_t> samples(count, 0);
    const std::vector<std::int16_t>& utterance = utteranceAt(rate);
    if (from < utterance.size()) {
        const std::size_t available = std::min(count, utterance.size() - from);
        std::copy_n(utterance.begin() + static_cast<std::ptrdiff_t>(from), available, samples.begin());
    }
    return samples;
}

const std::vector<std::int16_t>& VirtualMicrophone::utteranceAt(int rate)
{
    const auto known = m_decoded.find(rate);
    if (known != m_decoded.end())
        return known->second;
    std::vector<std::int16_t>& decoded = m_decoded[rate];
    if (!m_current.isNull()) {
        AudioFileDecoder::Result audio = AudioFileDecoder::decode(QFile::encodeName(m_current).toStdString(), rate);
        if (audio.ok())
            decoded = std::move(audio.samples);
        else
            Log::write(QStringLiteral("ERROR virtual microphone: %1").arg(QString::fromStdString(audio.error)));
    }
    return decoded;
}
