#include "support/Fsdd.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace Fsdd {

std::filesystem::path directory()
{
    const char* fromEnvironment = std::getenv("ZARNETH_FSDD");
    const std::filesystem::path folder = fromEnvironment && *fromEnvironment ? fromEnvironment : ZARNETH_FSDD_DIR;
    // A missing folder is a broken checkout or a wrong $ZARNETH_FSDD: say so
    // instead of letting every real-speech test quietly test nothing.
    if (!std::filesystem::exists(folder / "0_jackson_0.wav"))
        throw std::runtime_error("no spoken digit recordings in " + folder.string());
    return folder;
}

std::filesystem::path recording(const std::string& name)
{
    return directory() / name;
}

std::filesystem::path recording(int digit, const std::string& speaker, int take)
{
    return recording(std::to_string(digit) + "_" + speaker + "_" + std::to_string(take) + ".wav");
}

std::vector<std::filesystem::path> all()
{
    std::vector<std::filesystem::path> recordings;
    for (const auto& entry : std::filesystem::directory_iterator(directory())) {
        if (entry.path().extension() == ".wav")
            recordings.push_back(entry.path());
    }
    std::sort(recordings.begin(), recordings.end());
    return recordings;
}

}  // namespace Fsdd
