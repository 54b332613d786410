#pragma once

#include "DataModel/ZRVoicePrint.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// An audio file standing for something the user said: its voice print, made
// from the signal at 8000 Hz exactly as the recorder hands it over, and its
// recording at 44100 Hz for a sample file.
class ZRCommand;
class ZRCommandList;

class UtteranceFile {
public:
    static constexpr int kVoicePrintRate = 8000;
    static constexpr int kSampleFileRate = 44100;

    // Reads the file; nothing, with the reason in *error, when it cannot be read.
    static std::optional<UtteranceFile> read(const std::string& path, std::string* error);

    const std::string& path() const { return m_path; }
    // The print calculation's result: 0, or 10 when the file holds no audio.
    int status() const { return m_status; }
    const ZRVoicePrint& voicePrint() const { return m_voicePrint; }
    bool hasAudio() const { return m_status == ZRVoicePrint::kCalculated; }

    // Writes the recording as a sample file: CAF, 16-bit little-endian mono
    // at 44100 Hz. False when it could not be written whole.
    bool writeSampleFile(const QString& samplePath) const;

    // Makes the utterance the command's newest sample, as the training
    // dialogue does with a recording the user keeps: a sample file, the
    // voice print, and a command trained for the first time joins the
    // store. False, with nothing added, when the sample file cannot be
    // written. The store is not saved here.
    bool addAsSampleOf(const std::shared_ptr<ZRCommand>& command, ZRCommandList& store) const;

private:
    UtteranceFile() = default;

    std::string m_path;
    int m_status = 0;
    ZRVoicePrint m_voicePrint {std::vector<std::int32_t> {}};
    std::vector<std::int16_t> m_recording;
};
