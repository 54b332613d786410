#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class KeyedArchiver;
class KeyedUnarchiver;
class ZRCommandList;
class ZRSample;

// Command types: what a trained command does when it is recognised.
enum ZRCommandType : std::int32_t {
    ZRCommandTypeNone = 0,    // an empty system slot
    ZRCommandTypeAccept = 1,  // system commands that steer the recognition dialogue
    ZRCommandTypeRepeat = 2,
    ZRCommandTypeCancel = 3,
    ZRCommandTypePhone = 4,  // dial the command's phone number
};

// One trained command: its type, its identifier within its list (system
// commands 0, 1, 2; phone commands from the store's counter), its display
// name, the number to dial, and up to three samples, newest first.
class ZRCommand {
public:
    static constexpr std::array<const char*, 2> kArchiveClasses = {"ZRCommand", "NSObject"};
    static constexpr int kMaxSamples = 3;

    // An empty command: type none, identifier 0.
    ZRCommand() = default;
    // A new command of `type`. Accept, repeat and cancel get the identifiers
    // 0, 1 and 2; a phone command takes the next identifier of the shared
    // store (or of `store`), which advances its counter even if the command
    // is thrown away later. Other types keep identifier 0.
    static std::shared_ptr<ZRCommand> initForCommandType(std::int32_t type);
    static std::shared_ptr<ZRCommand> initForCommandType(std::int32_t type, ZRCommandList& store);

    // Accept, repeat and cancel: the words that steer a recognition.
    static bool isSystemCommandType(std::int32_t type);
    // The name a new system command of `type` is given, in the user's
    // language, as the screens and the shell show it.
    static QString titleOfSystemCommandType(std::int32_t type);

    // Makes `sample` the newest of the command's samples. A command keeps
    // three: the oldest of a fourth is dropped and its audio file deleted.
    void setSample(std::shared_ptr<ZRSample> sample);
    int numberOfSamples() const;

    std::int32_t commandID() const { return m_commandID; }
    std::int32_t type() const { return m_type; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    // Exactly as taken from the address book; null for system commands.
    const QString& phoneNumber() const { return m_phoneNumber; }
    void setPhoneNumber(const QString& phoneNumber) { m_phoneNumber = phoneNumber; }
    const std::shared_ptr<ZRSample>& sample1() const { return m_sample1; }
    const std::shared_ptr<ZRSample>& sample2() const { return m_sample2; }
    const std::shared_ptr<ZRSample>& sample3() const { return m_sample3; }

    // Deletes the audio files of all its samples.
    void clearSampleFiles() const;

    void encodeWithCoder(KeyedArchiver& coder) const;
    static std::shared_ptr<ZRCommand> initWithCoder(KeyedUnarchiver& decoder);

private:
    ZRCommand(std::int32_t type, std::int32_t commandID);

    std::int32_t m_commandID = 0;
    std::int32_t m_type = ZRCommandTypeNone;
    QString m_name;
    QString m_phoneNumber;
    std::shared_ptr<ZRSample> m_sample1;
    std::shared_ptr<ZRSample> m_sample2;
    std::shared_ptr<ZRSample> m_sample3;
};
