// Any bytes as the command list file, met as the application meets it when
// it starts: "samcomandlist" in the Documents folder, loaded by
// ZRCommandList::loadFromFile(), which keeps an undecodable file aside and
// starts empty. A store that loads is then used as the application uses
// it: listed, searched for an utterance (each stored print's distance
// checked by DistanceOracle) and saved; what is saved must load again and
// save to the same bytes. It must also hold no more print numbers than the
// file has bytes. Beyond the archive's shape, every object of any property
// list the reader accepts is read through its accessors, which must not
// fail where the reader's checks passed.

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "DistanceOracle.h"
#include "Platform/Archive/BinaryPropertyList.h"
#include "Platform/Archive/KeyedArchiver.h"
#include "Platform/Archive/KeyedUnarchiver.h"
#include "Platform/System/DocumentsDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unordered_set>

namespace {

[[noreturn]] void broken(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "ArchiveFuzzer: %s %s\n", what, qPrintable(detail));
    std::abort();
}

// Every refused file is logged; a million such lines would bury the
// fuzzer's own report.
void dropMessage(QtMsgType, const QMessageLogContext&, const QString&)
{
}

// A Documents folder of the fuzzer's own in the temporary folder (TMPDIR;
// fuzz/run.sh points it at a tmpfs).
QTemporaryDir& documents()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/zarneth-archive-fuzzer-XXXXXX"));
    return folder;
}

// Twelve frames of values within the fast comparison's range.
const ZRVoicePrint& utterance()
{
    static const ZRVoicePrint print = [] {
        std::vector<std::int32_t> values;
        for (int frame = 0; frame < 12; ++frame) {
            for (int k = 0; k < ZRVoicePrint::kFrameSize; ++k)
                values.push_back(k == 0 || k > 13 ? 0 : (frame * 37 + k * 91) % 511 - 255);
        }
        return ZRVoicePrint(std::move(values));
    }();
    return print;
}

ZRCommandList loadFromFile(const std::uint8_t* data, std::size_t size)
{
    const QString path = ZRCommandList::createCommandListFileURL();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        broken("cannot write", path);
    file.close();
    ZRCommandList store = ZRCommandList::loadFromFile();
    // The file, or the copy kept aside: the next run starts from nothing.
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".unreadable"));
    return store;
}

std::vector<std::shared_ptr<ZRCommand>> everyCommand(const ZRCommandList& store)
{
    std::vector<std::shared_ptr<ZRCommand>> commands = store.embeddedList();
    commands.insert(commands.end(), store.embeddedSystemList().begin(), store.embeddedSystemList().end());
    return commands;
}

// What the commands screen shows and what playing a sample needs.
void list(const ZRCommandList& store)
{
    for (const std::shared_ptr<ZRCommand>& command : everyCommand(store)) {
        if (!command)
            broken("a store holds a nil command");
        for (const std::shared_ptr<ZRSample>& sample : {command->sample1(), command->sample2(), command->sample3()}) {
            const QString path = sample ? sample->filePath() : QString();
            if (!path.isNull() && QFileInfo(QDir::cleanPath(path)).path() != DocumentsDirectory::path())
                broken("a sample file outside the Documents folder:", path);
        }
        if (command->numberOfSamples() > ZRCommand::kMaxSamples)
            broken("a command with more than three samples");
    }
    for (int n = 0; n < store.numberOfSystemCommands(); ++n) {
        if (!store.systemCommandAtIndex(n))
            broken("a counted system command is missing");
    }
}

// Without sharing, every number of a print is a reference of at least one
// byte in the file; prints sharing one element list must not multiply what
// a small file makes the store hold.
void checkPrintsFitTheFile(const ZRCommandList& store, std::size_t size)
{
    std::unordered_set<const ZRVoicePrint*> counted;
    std::size_t numbers = 0;
    for (const std::shared_ptr<ZRCommand>& command : everyCommand(store)) {
        for (const std::shared_ptr<ZRSample>& sample : {command->sample1(), command->sample2(), command->sample3()}) {
            const ZRVoicePrint* print = sample ? sample->voicePrint().get() : nullptr;
            if (print && counted.insert(print).second)
                numbers += print->count();
        }
    }
    if (numbers > size)
        broken("a store holds more print numbers than its file has bytes");
}

void search(ZRCommandList& store)
{
    store.findPhoneTypeSampleForVoicePrint(&utterance());
    store.findAcceptRepeatCancelTypeSampleForVoicePrint(&utterance());
    // Prints shared by many samples are checked once.
    std::unordered_set<const ZRVoicePrint*> checked;
    for (const std::shared_ptr<ZRCommand>& command : everyCommand(store)) {
        for (const std::shared_ptr<ZRSample>& sample : {command->sample1(), command->sample2(), command->sample3()}) {
            const ZRVoicePrint* print = sample ? sample->voicePrint().get() : nullptr;
            if (print && checked.insert(print).second)
                DistanceOracle::checkedDistance(utterance(), *print);
        }
    }
}

void saveAndLoadAgain(const ZRCommandList& store)
{
    const QByteArray saved = KeyedArchiver::archivedDataWithRootObject(store);
    QString reason;
    const std::shared_ptr<ZRCommandList> reloaded
        = KeyedUnarchiver::unarchiveObjectWithData<ZRCommandList>(saved, &reason);
    if (!reloaded)
        broken("a saved store does not load again:", reason);
    if (KeyedArchiver::archivedDataWithRootObject(*reloaded) != saved)
        broken("a saved store, loaded again, saves to other bytes");
}

// Dictionaries have no list of their keys: the values of the keys an
// archive uses are followed.
constexpr std::array kKeys = {"$archiver", "$version", "$top", "root", "$objects", "$class", "$classname", "$classes",
    "NS.objects", "IDCounter", "systemList", "commandlist", "CommandName", "Sample1", "SampleVoicePrint", "VoicePrint"};

void readObject(
    const BinaryPropertyList& list, BinaryPropertyList::Ref object, std::vector<BinaryPropertyList::Ref>& next)
{
    using Type = BinaryPropertyList::Type;
    switch (list.type(object)) {
    case Type::Integer:
        list.integer(object);
        break;
    case Type::Uid:
        list.uid(object);
        break;
    case Type::String:
        if (list.isString(object, "$null") != (list.string(object) == QLatin1String("$null")))
            broken("isString and string disagree");
        break;
    case Type::Array:
        for (std::size_t i = 0; i < list.count(object); ++i)
            next.push_back(list.element(object, i));
        break;
    case Type::Dictionary:
        for (const char* key : kKeys) {
            if (const auto value = list.value(object, key))
                next.push_back(*value);
        }
        break;
    default:
        break;
    }
}

// Each object reachable from the top once. Accessors throw only when asked
// for the wrong type, so any exception here is a fault and ends the run.
void readEveryObject(const std::uint8_t* data, std::size_t size)
{
    std::optional<BinaryPropertyList> parsed;
    try {
        parsed.emplace(std::span(data, size));
    } catch (const BinaryPropertyList::Error&) {
        return;
    }
    std::vector<bool> seen(parsed->objectCount());
    std::vector<BinaryPropertyList::Ref> next {parsed->top()};
    while (!next.empty()) {
        const BinaryPropertyList::Ref object = next.back();
        next.pop_back();
        if (!seen[object]) {
            seen[object] = true;
            readObject(*parsed, object, next);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qInstallMessageHandler(dropMessage);
    if (!documents().isValid())
        broken("no temporary Documents folder");
    DocumentsDirectory::setPath(documents().path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    readEveryObject(data, size);
    ZRCommandList store = loadFromFile(data, size);
    list(store);
    checkPrintsFitTheFile(store, size);
    search(store);
    saveAndLoadAgain(store);
    return 0;
}
