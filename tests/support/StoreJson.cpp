#include "support/StoreJson.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"

namespace {

using nlohmann::json;

json stringOrNull(const QString& text)
{
    return text.isNull() ? json(nullptr) : json(text.toStdString());
}

json commandAsJson(const ZRCommand& command)
{
    json samples = json::array();
    for (const auto& sample : {command.sample1(), command.sample2(), command.sample3()}) {
        if (!sample)
            continue;
        samples.push_back({{"commandID", sample->commandID()}, {"file", stringOrNull(sample->fileName())},
            {"print", sample->voicePrint() ? json(sample->voicePrint()->voicePrint()) : json(nullptr)}});
    }
    return {{"id", command.commandID()}, {"type", command.type()}, {"name", stringOrNull(command.name())},
        {"number", stringOrNull(command.phoneNumber())}, {"samples", samples}};
}

}  // namespace

json storeAsJson(const ZRCommandList& store)
{
    json commands = json::array();
    for (const auto& command : store.embeddedList())
        commands.push_back(commandAsJson(*command));
    json system = json::array();
    for (const auto& slot : store.embeddedSystemList())
        system.push_back(commandAsJson(*slot));
    return {{"IDCounter", store.commandIDCounter()}, {"commands", commands}, {"system", system}};
}
