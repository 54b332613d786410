#include "cli/CommandListReport.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace {

using nlohmann::json;

constexpr const char* kSlotNames[ZRCommandList::kSystemSlots] = {"accept", "repeat", "cancel"};

std::vector<std::shared_ptr<ZRSample>> samplesOf(const ZRCommand& command)
{
    std::vector<std::shared_ptr<ZRSample>> samples;
    for (const auto& sample : {command.sample1(), command.sample2(), command.sample3()}) {
        if (sample)
            samples.push_back(sample);
    }
    return samples;
}

std::size_t framesOf(const ZRSample& sample)
{
    return sample.voicePrint() ? sample.voicePrint()->count() / ZRVoicePrint::kFrameSize : 0;
}

json textOrNull(const QString& text)
{
    return text.isNull() ? json(nullptr) : json(text.toStdString());
}

json commandAsJson(const ZRCommand& command)
{
    json samples = json::array();
    for (const auto& sample : samplesOf(command))
        samples.push_back({{"file", textOrNull(sample->fileName())}, {"frames", framesOf(*sample)}});
    return {{"id", command.commandID()}, {"type", command.type()}, {"name", textOrNull(command.name())},
        {"number", textOrNull(command.phoneNumber())}, {"samples", samples}};
}

void writeSamples(std::ostream& out, const ZRCommand& command)
{
    for (const auto& sample : samplesOf(command))
        out << "      " << sample->fileName().toStdString() << "  " << framesOf(*sample) << " frames\n";
}

}  // namespace

CommandListReport::CommandListReport(const ZRCommandList& store)
    : m_store(store)
{
}

void CommandListReport::writeJson(std::ostream& out) const
{
    json commands = json::array();
    for (const auto& command : m_store.embeddedList())
        commands.push_back(commandAsJson(*command));
    json system = json::array();
    for (int slot = 0; slot < ZRCommandList::kSystemSlots; ++slot) {
        json entry = commandAsJson(*m_store.embeddedSystemList()[slot]);
        entry["slot"] = kSlotNames[slot];
        system.push_back(entry);
    }
    const json report = {{"IDCounter", m_store.commandIDCounter()}, {"commands", commands}, {"system", system}};
    out << report.dump() << '\n';
}

void CommandListReport::writeTable(std::ostream& out) const
{
    out << "Phone commands (the next gets identifier " << m_store.commandIDCounter() << "):";
    out << (m_store.count() == 0 ? " none\n" : "\n");
    for (const auto& command : m_store.embeddedList()) {
        out << "  " << command->commandID() << "  " << command->name().toStdString() << "  "
            << command->phoneNumber().toStdString() << '\n';
        writeSamples(out, *command);
    }
    out << "System commands:\n";
    for (int slot = 0; slot < ZRCommandList::kSystemSlots; ++slot) {
        const ZRCommand& command = *m_store.embeddedSystemList()[slot];
        out << "  " << kSlotNames[slot] << "  "
            << (command.type() == ZRCommandTypeNone ? std::string("not trained") : command.name().toStdString())
            << '\n';
        writeSamples(out, command);
    }
}
