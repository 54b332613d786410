// A process that dies in the middle of saving the command list, for the
// test that the file on disk survives it.
//
//   dying_save DOCUMENTS build        builds a store of 8 commands with
//                                     the longest prints a store keeps
//   dying_save DOCUMENTS die BYTES    renames the first command and saves
//                                     again, with a file size limit of
//                                     BYTES: the system kills the process
//                                     (SIGXFSZ) when a write crosses it

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/System/DocumentsDirectory.h"

#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

int main(int argc, char* argv[])
{
    if (argc < 3)
        return 2;
    DocumentsDirectory::setPath(QString::fromLocal8Bit(argv[1]));
    ZRCommandList store = ZRCommandList::loadFromFile();
    if (std::strcmp(argv[2], "build") == 0) {
        while (store.count() < 8) {
            auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, store);
            command->setName(QStringLiteral("Contact %1").arg(command->commandID()));
            command->setPhoneNumber(QStringLiteral("+49 170 %1").arg(command->commandID()));
            for (int i = 0; i < ZRCommand::kMaxSamples; ++i) {
                auto sample = ZRSample::initForCommand(*command);
                std::vector<std::int32_t> values(ZRVoicePrint::kMaxArchivedCount);
                for (std::size_t v = 0; v < values.size(); ++v)
                    values[v] = static_cast<std::int32_t>((v * 7919 + command->commandID() * 31 + i) % 511) - 255;
                sample->setVoicePrint(std::make_shared<ZRVoicePrint>(std::move(values)));
                command->setSample(sample);
            }
            store.addCommand(command);
        }
        return 0;
    }
    if (std::strcmp(argv[2], "die") != 0 || argc != 4 || store.count() == 0)
        return 2;
    store.commandAtIndex(0)->setName(QStringLiteral("Renamed"));
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = std::strtoull(argv[3], nullptr, 10);
    setrlimit(RLIMIT_FSIZE, &limit);
    store.saveToFile();
    return 0;  // the save fitted under the limit
}
