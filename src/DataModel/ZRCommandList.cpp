#include "DataModel/ZRCommandList.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Archive/KeyedArchiver.h"
#include "Platform/Archive/KeyedUnarchiver.h"
#include "Platform/System/DocumentsDirectory.h"
#include "Platform/System/Log.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <limits>
#include <mutex>
#include <unistd.h>

namespace {

// Renames an unreadable command list so that it is kept and a new one can
// be written; returns where it went.
QString moveAside(const QString& path)
{
    QString keptAt = path + QStringLiteral(".unreadable");
    for (int n = 2; QFile::exists(keptAt); ++n)
        keptAt = path + QStringLiteral(".unreadable-%1").arg(n);
    return QFile::rename(path, keptAt) ? keptAt : QString();
}

}  // namespace

ZRCommandList& ZRCommandList::sharedCommandList()
{
    // Re-entrant, like the class-wide lock it stands for; the instance lives
    // until the process ends.
    static std::recursive_mutex classLock;
    static ZRCommandList* shared = nullptr;
    std::lock_guard guard(classLock);
    if (!shared)
        shared = new ZRCommandList(loadFromFile());
    return *shared;
}

QString ZRCommandList::createCommandListFileURL()
{
    return DocumentsDirectory::path() + QStringLiteral("/samcomandlist");
}

ZRCommandList ZRCommandList::loadFromFile()
{
    const QString path = createCommandListFileURL();
    QFile file(path);
    if (!file.exists())
        return ZRCommandList();

    QString reason;
    std::shared_ptr<ZRCommandList> decoded;
    if (file.size() > KeyedUnarchiver::kMaxArchiveBytes)
        reason = QStringLiteral("the file is too large");
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    else
        decoded = KeyedUnarchiver::unarchiveObjectWithData<ZRCommandList>(file.readAll(), &reason);
    if (decoded)
        return std::move(*decoded);

    file.close();
    const QString keptAt = moveAside(path);
    Log::write(QStringLiteral("ERROR ZRCommandList: could not decode %1 (%2); %3, starting with no commands")
                   .arg(path, reason,
                       keptAt.isNull() ? QStringLiteral("could not move it aside")
                                       : QStringLiteral("kept it as %1").arg(keptAt)));
    // The screens must not offer to listen for names this store lost.
    writeHasData(false);
    return ZRCommandList();
}

ZRCommandList::ZRCommandList()
{
    m_embeddedList.reserve(10);
    const auto empty = std::make_shared<ZRCommand>();
    m_embeddedSystemList = {empty, empty, empty};
}

bool ZRCommandList::saveToFile() const
{
    // Written to a temporary file, flushed to the disk and renamed over the
    // old one: a crash or a full disk leaves either the old or the new list.
    const QByteArray data = KeyedArchiver::archivedDataWithRootObject(*this);
    QSaveFile file(createCommandListFileURL());
    const bool saved = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush()
        && ::fsync(file.handle()) == 0 && file.commit();
    if (!saved) {
        Log::write(QStringLiteral("ERROR! saveToFile: could not save commandList"));
        return false;
    }
    return true;
}

std::int32_t ZRCommandList::newCommandID()
{
    if (m_commandIDCounter < std::numeric_limits<std::int32_t>::max())
        return m_commandIDCounter++;
    // Only a damaged or hand-made file gets the counter this far. It stays
    // at its end, and the lowest identifier no phone command holds is used,
    // so that an identifier still names one command.
    std::int32_t unused = 0;
    while (commandForID(unused))
        ++unused;
    return unused;
}

void ZRCommandList::addCommand(const std::shared_ptr<ZRCommand>& command)
{
    if (!command)
        return;
    if (command->type() == ZRCommandTypePhone) {
        m_embeddedList.push_back(command);
        writeHasData(true);
    } else if (ZRCommand::isSystemCommandType(command->type())) {
        m_embeddedSystemList[command->type() - 1] = command;
    } else {
        return;
    }
    saveToFile();
}

void ZRCommandList::removeCommand(const ZRCommand& command)
{
    command.clearSampleFiles();
    const std::int32_t commandID = command.commandID();
    if (command.type() == ZRCommandTypePhone) {
        const auto found = std::find_if(m_embeddedList.begin(), m_embeddedList.end(),
            [commandID](const auto& stored) { return stored->commandID() == commandID; });
        if (found != m_embeddedList.end())
            m_embeddedList.erase(found);
    } else {
        for (std::shared_ptr<ZRCommand>& slot : m_embeddedSystemList) {
            if (slot->commandID() == commandID)
                slot = ZRCommand::initForCommandType(ZRCommandTypeNone, *this);
        }
    }
    saveToFile();
    if (m_embeddedList.empty())
        writeHasData(false);
}

void ZRCommandList::removeAllCommands()
{
    for (const std::shared_ptr<ZRCommand>& command : m_embeddedList)
        command->clearSampleFiles();
    m_embeddedList.clear();
    for (std::shared_ptr<ZRCommand>& slot : m_embeddedSystemList) {
        slot->clearSampleFiles();
        slot = ZRCommand::initForCommandType(ZRCommandTypeNone, *this);
    }
    saveToFile();
    writeHasData(false);
}

std::shared_ptr<ZRCommand> ZRCommandList::commandForID(std::int32_t commandID) const
{
    for (const std::shared_ptr<ZRCommand>& command : m_embeddedList) {
        if (command->commandID() == commandID)
            return command;
    }
    return nullptr;
}

std::shared_ptr<ZRCommand> ZRCommandList::commandForPhoneNumber(const QString& phoneNumber) const
{
    for (const std::shared_ptr<ZRCommand>& command : m_embeddedList) {
        if (command->phoneNumber() == phoneNumber)
            return command;
    }
    return nullptr;
}

int ZRCommandList::numberOfSystemCommands() const
{
    return static_cast<int>(std::count_if(m_embeddedSystemList.begin(), m_embeddedSystemList.end(),
        [](const auto& slot) { return slot->type() != ZRCommandTypeNone; }));
}

std::shared_ptr<ZRCommand> ZRCommandList::systemCommandAtIndex(int n) const
{
    for (const std::shared_ptr<ZRCommand>& slot : m_embeddedSystemList) {
        if (slot->type() != ZRCommandTypeNone && n-- == 0)
            return slot;
    }
    return nullptr;
}

std::shared_ptr<ZRCommand> ZRCommandList::systemCommandForID(std::int32_t commandID) const
{
    for (const std::shared_ptr<ZRCommand>& slot : m_embeddedSystemList) {
        if (slot->commandID() == commandID)
            return slot;
    }
    return nullptr;
}

std::shared_ptr<ZRCommand> ZRCommandList::commandForSystemCommandType(std::int32_t type) const
{
    for (const std::shared_ptr<ZRCommand>& slot : m_embeddedSystemList) {
        if (slot->type() == type)
            return slot;
    }
    return nullptr;
}

bool ZRCommandList::hasSystemCommandSampleOfType(std::int32_t type) const
{
    return commandForSystemCommandType(type) != nullptr;
}

bool ZRCommandList::hasAllSystemCommands() const
{
    return numberOfSystemCommands() == kSystemSlots;
}

std::shared_ptr<ZRCommand> ZRCommandList::commandToTrainForPhoneNumber(const QString& phoneNumber, const QString& name)
{
    if (std::shared_ptr<ZRCommand> existing = commandForPhoneNumber(phoneNumber))
        return existing;
    auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, *this);
    command->setPhoneNumber(phoneNumber);
    command->setName(name);
    return command;
}

std::shared_ptr<ZRCommand> ZRCommandList::commandToTrainForSystemCommandType(std::int32_t type)
{
    if (std::shared_ptr<ZRCommand> existing = commandForSystemCommandType(type))
        return existing;
    auto command = ZRCommand::initForCommandType(type, *this);
    command->setName(ZRCommand::titleOfSystemCommandType(type));
    return command;
}

bool ZRCommandList::turnConfirmationsOffUnlessSystemCommandsTrained() const
{
    if (hasAllSystemCommands())
        return false;
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    if (!defaults.boolForKey(SettingsKey::Confirmations))
        return false;
    defaults.setBool(false, SettingsKey::Confirmations);
    defaults.synchronize();
    return true;
}

std::shared_ptr<ZRSample> ZRCommandList::findPhoneTypeSampleForVoicePrint(const ZRVoicePrint* utterance)
{
    resetSearch();
    if (!utterance)
        return nullptr;
    for (const std::shared_ptr<ZRCommand>& command : m_embeddedList) {
        if (command->type() == ZRCommandTypePhone)
            evaluateDistancesBetweenVoicePrint(*utterance, *command);
    }
    return bestSample();
}

std::shared_ptr<ZRSample> ZRCommandList::findRepeatCancelTypeSampleForVoicePrint(const ZRVoicePrint* utterance)
{
    return searchSystemSlots(utterance, false);
}

std::shared_ptr<ZRSample> ZRCommandList::findAcceptRepeatCancelTypeSampleForVoicePrint(const ZRVoicePrint* utterance)
{
    return searchSystemSlots(utterance, true);
}

std::shared_ptr<ZRSample> ZRCommandList::searchSystemSlots(const ZRVoicePrint* utterance, bool includingAccept)
{
    resetSearch();
    if (!utterance)
        return nullptr;
    for (const std::shared_ptr<ZRCommand>& slot : m_embeddedSystemList) {
        const std::int32_t type = slot->type();
        if (type == ZRCommandTypeRepeat || type == ZRCommandTypeCancel
            || (includingAccept && type == ZRCommandTypeAccept))
            evaluateDistancesBetweenVoicePrint(*utterance, *slot);
    }
    return bestSample();
}

void ZRCommandList::evaluateDistancesBetweenVoicePrint(const ZRVoicePrint& utterance, const ZRCommand& command)
{
    for (const std::shared_ptr<ZRSample>& sample : {command.sample1(), command.sample2(), command.sample3()}) {
        // Only a strictly nearer sample counts, so the comparison may stop as
        // soon as it cannot end below the best so far.
        const double distance
            = utterance.distanceFromVoicePrintBelow(sample ? sample->voicePrint().get() : nullptr, m_bestDistance);
        if (distance < m_bestDistance) {
            m_bestDistance = distance;
            m_bestSample = sample;
        }
    }
}

void ZRCommandList::resetSearch()
{
    m_bestDistance = kNoMatchDistance;
    m_bestSample.reset();
}

void ZRCommandList::writeHasData(bool hasData)
{
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(hasData, SettingsKey::CommandListHasData);
    defaults.synchronize();
}

void ZRCommandList::encodeWithCoder(KeyedArchiver& coder) const
{
    coder.encodeNumber(m_commandIDCounter, "IDCounter");
    coder.encodeArray(std::vector(m_embeddedSystemList.begin(), m_embeddedSystemList.end()), "systemList");
    coder.encodeArray(m_embeddedList, "commandlist");
}

std::shared_ptr<ZRCommandList> ZRCommandList::initWithCoder(KeyedUnarchiver& decoder)
{
    auto store = std::make_shared<ZRCommandList>();
    store->m_commandIDCounter = decoder.decodeNumber("IDCounter");

    const auto system = decoder.decodeArray<ZRCommand>("systemList");
    if (!system || system->size() != kSystemSlots)
        KeyedUnarchiver::fail("the system list does not hold three commands");
    for (int slot = 0; slot < kSystemSlots; ++slot) {
        const std::int32_t type = (*system)[slot]->type();
        if (type != ZRCommandTypeNone && type != slot + 1)
            KeyedUnarchiver::fail(
                "system slot " + std::to_string(slot) + " holds a command of type " + std::to_string(type));
        store->m_embeddedSystemList[slot] = (*system)[slot];
    }

    if (auto phones = decoder.decodeArray<ZRCommand>("commandlist")) {
        for (const std::shared_ptr<ZRCommand>& command : *phones) {
            if (command->type() != ZRCommandTypePhone)
                KeyedUnarchiver::fail("the phone list holds a command of type " + std::to_string(command->type()));
        }
        store->m_embeddedList = std::move(*phones);
    }
    return store;
}
