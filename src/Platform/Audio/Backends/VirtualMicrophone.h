#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

// A microphone that says the utterances of audio files, one per recording,
// in order, and is silent otherwise. Streams that are open at the same time
// (the two recorders of a training) hear the same utterance, each at its own
// rate; when the last of them closes, the next recording gets the next file.
class VirtualMicrophone {
public:
    explicit VirtualMicrophone(QStringList utterances = {});

    // Adds an utterance after the ones not said yet.
    void addUtterance(const QString& file);
    void open();
    void close();
    // Mono samples [from, from + count) of the current utterance at `rate`;
    // zeros beyond its end and when there is none. Equal rates are passed
    // through sample for sample.
    std::vector<std::int16_t> samples(int rate, std::size_t from, std::size_t count);

private:
    const std::vector<std::int16_t>& utteranceAt(int rate);

    QStringList m_utterances;
    int m_next = 0;
    int m_openStreams = 0;
    QString m_current;  // null while silent
    std::map<int, std::vector<std::int16_t>> m_decoded;
};
