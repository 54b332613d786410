#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class KeyedArchiver;
class KeyedUnarchiver;
class ZRCommand;
class ZRVoicePrint;

// One recorded utterance of a command: which command it belongs to, the name
// of its audio file in the Documents directory, and its voice print.
//
// The sample owns its audio file by name, but only clearSampleFile() ever
// deletes it; releasing a sample leaves the file alone.
class ZRSample {
public:
    static constexpr std::array<const char*, 2> kArchiveClasses = {"ZRSample", "NSObject"};

    // A new sample for `command`, with a new file name and no voice print yet.
    // It is not attached to the command.
    static std::shared_ptr<ZRSample> initForCommand(const ZRCommand& command);
    ZRSample(std::int32_t commandID, QString fileName, std::shared_ptr<ZRVoicePrint> voicePrint = nullptr);

    // "/sample<seconds since 1970>.aif", unique: a name already handed out by
    // this process or taken by a file in the Documents directory is passed
    // over for the next number.
    static QString createSampleFilename();
    // Where the time for new file names comes from (seconds since 1970);
    // nullptr restores the system clock.
    static void setClock(std::function<double()> secondsSince1970);

    // Whether a stored name may be used as a file name: "/sample", decimal
    // digits, ".aif". Anything else could point outside the Documents
    // directory, so it is never played, written or deleted.
    static bool isSampleFileName(const QString& fileName);
    // The full path of the audio file, or a null string when the name is not
    // a sample file name.
    QString filePath() const;
    // Deletes the audio file if there is one.
    void clearSampleFile() const;

    std::int32_t commandID() const { return m_commandID; }
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    const std::shared_ptr<ZRVoicePrint>& voicePrint() const { return m_voicePrint; }
    void setVoicePrint(std::shared_ptr<ZRVoicePrint> voicePrint) { m_voicePrint = std::move(voicePrint); }

    void encodeWithCoder(KeyedArchiver& coder) const;
    static std::shared_ptr<ZRSample> initWithCoder(KeyedUnarchiver& decoder);

private:
    std::int32_t m_commandID = 0;
    QString m_fileName;
    std::shared_ptr<ZRVoicePrint> m_voicePrint;
};
