#include "DataModel/ZRCommand.h"

#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/Archive/KeyedArchiver.h"
#include "Platform/Archive/KeyedUnarchiver.h"

namespace {

// Accept, repeat and cancel have fixed identifiers; everything else but a
// phone command keeps 0.
std::int32_t fixedIdentifierOf(std::int32_t type)
{
    return ZRCommand::isSystemCommandType(type) ? type - 1 : 0;
}

}  // namespace

ZRCommand::ZRCommand(std::int32_t type, std::int32_t commandID)
    : m_commandID(commandID)
    , m_type(type)
{
}

std::shared_ptr<ZRCommand> ZRCommand::initForCommandType(std::int32_t type)
{
    // Only phone commands need the store; creating another kind must not load it.
    if (type == ZRCommandTypePhone)
        return initForCommandType(type, ZRCommandList::sharedCommandList());
    return std::shared_ptr<ZRCommand>(new ZRCommand(type, fixedIdentifierOf(type)));
}

std::shared_ptr<ZRCommand> ZRCommand::initForCommandType(std::int32_t type, ZRCommandList& store)
{
    const std::int32_t commandID = type == ZRCommandTypePhone ? store.newCommandID() : fixedIdentifierOf(type);
    return std::shared_ptr<ZRCommand>(new ZRCommand(type, commandID));
}

bool ZRCommand::isSystemCommandType(std::int32_t type)
{
    return type >= ZRCommandTypeAccept && type <= ZRCommandTypeCancel;
}

QString ZRCommand::titleOfSystemCommandType(std::int32_t type)
{
    switch (type) {
    case ZRCommandTypeAccept:
        return qtTrId("sysCommAccept");
    case ZRCommandTypeRepeat:
        return qtTrId("sysCommRepeat");
    default:
        return qtTrId("sysCommCancel");
    }
}

void ZRCommand::setSample(std::shared_ptr<ZRSample> sample)
{
    if (m_sample3)
        m_sample3->clearSampleFile();
    m_sample3 = std::move(m_sample2);
    m_sample2 = std::move(m_sample1);
    m_sample1 = std::move(sample);
}

int ZRCommand::numberOfSamples() const
{
    if (m_sample3)
        return 3;
    if (m_sample2)
        return 2;
    return m_sample1 ? 1 : 0;
}

void ZRCommand::clearSampleFiles() const
{
    for (const std::shared_ptr<ZRSample>& sample : {m_sample1, m_sample2, m_sample3}) {
        if (sample)
            sample->clearSampleFile();
    }
}

void ZRCommand::encodeWithCoder(KeyedArchiver& coder) const
{
    coder.encodeInt(m_commandID, "CommandID");
    coder.encodeInt(m_type, "CommandType");
    coder.encodeString(m_name, "CommandName");
    coder.encodeString(m_phoneNumber, "CommandDetail");
    coder.encodeObject(m_sample1, "Sample1");
    coder.encodeObject(m_sample2, "Sample2");
    coder.encodeObject(m_sample3, "Sample3");
}

std::shared_ptr<ZRCommand> ZRCommand::initWithCoder(KeyedUnarchiver& decoder)
{
    const std::int32_t commandID = decoder.decodeInt("CommandID");
    const std::int32_t type = decoder.decodeInt("CommandType");
    std::shared_ptr<ZRCommand> command(new ZRCommand(type, commandID));
    command->m_name = decoder.decodeString("CommandName");
    command->m_phoneNumber = decoder.decodeString("CommandDetail");
    command->m_sample1 = decoder.decodeObject<ZRSample>("Sample1");
    command->m_sample2 = decoder.decodeObject<ZRSample>("Sample2");
    command->m_sample3 = decoder.decodeObject<ZRSample>("Sample3");
    // Samples fill from the newest down; a gap would make the count lie.
    if ((command->m_sample2 && !command->m_sample1) || (command->m_sample3 && !command->m_sample2))
        KeyedUnarchiver::fail("a command's samples have a gap");
    return command;
}
