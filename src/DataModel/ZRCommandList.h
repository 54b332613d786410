#pragma once

#include "DataModel/DynamicTimeWarping.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class KeyedArchiver;
class KeyedUnarchiver;
class ZRCommand;
class ZRSample;
class ZRVoicePrint;

// The one store of all trained commands: the phone commands in the order
// they were added, and three slots for the system commands accept, repeat
// and cancel (an untrained slot holds an empty command). It hands out the
// identifiers of new phone commands, writes itself to "/samcomandlist" in
// the Documents directory after every addition and removal, keeps the
// setting "CommandListHasData" in step with whether any phone command
// exists, and finds the trained sample nearest to an utterance.
//
// The application uses the single shared instance, loaded on first use.
// Everything but that creation runs on the main thread.
class ZRCommandList {
public:
    static constexpr std::array<const char*, 2> kArchiveClasses = {"ZRCommandList", "NSObject"};
    static constexpr int kSystemSlots = 3;

    // The shared store: loaded from its file on first use, or fresh.
    static ZRCommandList& sharedCommandList();
    // Path of the command list file.
    static QString createCommandListFileURL();
    // The store kept in the command list file; a fresh store when there is
    // no file. A file that cannot be decoded is moved aside (never deleted),
    // logged, "CommandListHasData" is cleared and a fresh store is returned.
    static ZRCommandList loadFromFile();

    // A fresh store: no phone commands, the three slots one empty command,
    // counter 0.
    ZRCommandList();

    // Replaces the file as a whole, never leaving a half-written one behind.
    // On failure logs "ERROR! saveToFile: could not save commandList",
    // leaves the old file as it was and returns false.
    bool saveToFile() const;
    // The identifier of the next phone command; advances the counter. A
    // counter at the end of its range stays there and the lowest identifier
    // that no phone command holds is given instead.
    std::int32_t newCommandID();

    // Adds a phone command to the list, or puts a system command into its
    // slot, and saves. Commands of other types are ignored.
    void addCommand(const std::shared_ptr<ZRCommand>& command);
    // Deletes the command's sample files, takes the command (found by type
    // and identifier) out of the store, and saves.
    void removeCommand(const ZRCommand& command);
    // Deletes every command and every sample file, and saves. The counter
    // goes on: identifiers are never reused.
    void removeAllCommands();

    std::size_t count() const { return m_embeddedList.size(); }
    const std::shared_ptr<ZRCommand>& commandAtIndex(std::size_t index) const { return m_embeddedList.at(index); }
    std::shared_ptr<ZRCommand> commandForID(std::int32_t commandID) const;
    // Compared character for character.
    std::shared_ptr<ZRCommand> commandForPhoneNumber(const QString& phoneNumber) const;
    int numberOfSystemCommands() const;
    // The n-th trained system command, counting in slot order and skipping empty slots.
    std::shared_ptr<ZRCommand> systemCommandAtIndex(int n) const;
    // Empty slots have identifier 0 too: 0 finds the empty accept slot.
    std::shared_ptr<ZRCommand> systemCommandForID(std::int32_t commandID) const;
    std::shared_ptr<ZRCommand> commandForSystemCommandType(std::int32_t type) const;
    bool hasSystemCommandSampleOfType(std::int32_t type) const;
    // Accept, repeat and cancel are all trained: only then can a
    // recognition ask for a spoken confirmation.
    bool hasAllSystemCommands() const;

    // The command a new sample is trained into: the existing command of
    // that number or system type, which keeps its old name, or else a new
    // one (named after the person, or titled in the user's language) that
    // joins the store when its first sample is kept.
    std::shared_ptr<ZRCommand> commandToTrainForPhoneNumber(const QString& phoneNumber, const QString& name);
    std::shared_ptr<ZRCommand> commandToTrainForSystemCommandType(std::int32_t type);
    // Turns "Confirmations" off unless accept, repeat and cancel are all
    // trained, as after a deletion; true when it was on and went off.
    bool turnConfirmationsOffUnlessSystemCommandsTrained() const;

    // Nearest-sample searches for an utterance's print. Commands are visited
    // in list order and each command's samples newest first; a sample
    // replaces the best so far only when strictly nearer, so among equals
    // the first visited wins. Nothing is found when there is no utterance
    // print, no eligible sample, or no comparison below kNoMatchDistance.
    std::shared_ptr<ZRSample> findPhoneTypeSampleForVoicePrint(const ZRVoicePrint* utterance);
    std::shared_ptr<ZRSample> findRepeatCancelTypeSampleForVoicePrint(const ZRVoicePrint* utterance);
    std::shared_ptr<ZRSample> findAcceptRepeatCancelTypeSampleForVoicePrint(const ZRVoicePrint* utterance);
    void evaluateDistancesBetweenVoicePrint(const ZRVoicePrint& utterance, const ZRCommand& command);
    // The state of the last search.
    double bestDistance() const { return m_bestDistance; }
    std::shared_ptr<ZRSample> bestSample() const { return m_bestSample.lock(); }

    std::int32_t commandIDCounter() const { return m_commandIDCounter; }
    const std::vector<std::shared_ptr<ZRCommand>>& embeddedList() const { return m_embeddedList; }
    const std::array<std::shared_ptr<ZRCommand>, kSystemSlots>& embeddedSystemList() const
    {
        return m_embeddedSystemList;
    }

    void encodeWithCoder(KeyedArchiver& coder) const;
    static std::shared_ptr<ZRCommandList> initWithCoder(KeyedUnarchiver& decoder);

private:
    void resetSearch();
    std::shared_ptr<ZRSample> searchSystemSlots(const ZRVoicePrint* utterance, bool includingAccept);
    static void writeHasData(bool hasData);

    double m_bestDistance = kNoMatchDistance;
    std::weak_ptr<ZRSample> m_bestSample;
    std::int32_t m_commandIDCounter = 0;
    std::vector<std::shared_ptr<ZRCommand>> m_embeddedList;
    std::array<std::shared_ptr<ZRCommand>, kSystemSlots> m_embeddedSystemList;
};
