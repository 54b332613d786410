#include "cli/ZarnethCli.h"

#include "DataModel/ZRVoicePrint.h"
#include "Platform/AudioFileDecoder.h"
#include "Platform/BigEndianSamples.h"

#include <cstdint>
#include <cstdio>
#include <iomanip>
#include <ostream>

namespace {

constexpr int kVoicePrintRate = 8000;

constexpr const char* kUsage = "usage: zarneth-cli COMMAND [ARGS]\n"
                               "commands:\n"
                               "  print [--json] FILE.wav   voice print of an utterance\n"
                               "  distance A.wav B.wav      the DTW distance of A's print from B's\n";

// 17 significant digits give back the exact double; "1e+30" means no match.
std::string formatDistance(double distance)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", distance);
    return text;
}

void writeJson(std::ostream& out, int status, const ZRVoicePrint& print)
{
    out << "{\"status\":" << status << ",\"frames\":" << print.count() / ZRVoicePrint::kFrameSize << ",\"print\":[";
    const char* separator = "";
    for (std::int32_t value : print.voicePrint()) {
        out << separator << value;
        separator = ",";
    }
    out << "]}\n";
}

void writeTable(std::ostream& out, int status, const ZRVoicePrint& print)
{
    const std::size_t frames = print.count() / ZRVoicePrint::kFrameSize;
    out << "status " << status << ", " << frames << (frames == 1 ? " frame" : " frames") << '\n';
    for (std::size_t i = 0; i < print.count(); ++i) {
        out << std::setw(5) << print.objectAtIndex(i);
        if (i % ZRVoicePrint::kFrameSize == ZRVoicePrint::kFrameSize - 1)
            out << '\n';
    }
}

}  // namespace

ZarnethCli::ZarnethCli(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{
}

int ZarnethCli::run(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return usageError("no command given");
    const std::string& command = arguments.front();
    const Arguments rest = Arguments(arguments).subspan(1);
    if (command == "--help" || command == "help") {
        m_out << kUsage;
        return kSuccess;
    }
    if (command == "print")
        return print(rest);
    if (command == "distance")
        return distance(rest);
    return usageError("unknown command '" + command + "'");
}

int ZarnethCli::print(Arguments arguments)
{
    bool json = false;
    if (!arguments.empty() && arguments.front() == "--json") {
        json = true;
        arguments = arguments.subspan(1);
    }
    if (arguments.size() != 1)
        return usageError("print takes one audio file");

    int status = 0;
    const std::optional<ZRVoicePrint> print = voicePrintOf(arguments[0], &status);
    if (!print)
        return kUnusable;
    if (json)
        writeJson(m_out, status, *print);
    else
        writeTable(m_out, status, *print);
    return kSuccess;
}

int ZarnethCli::distance(Arguments arguments)
{
    if (arguments.size() != 2)
        return usageError("distance takes two audio files");
    const std::optional<ZRVoicePrint> a = voicePrintOf(arguments[0]);
    if (!a)
        return kUnusable;
    const std::optional<ZRVoicePrint> b = voicePrintOf(arguments[1]);
    if (!b)
        return kUnusable;
    m_out << formatDistance(a->distanceFromVoicePrint(&*b)) << '\n';
    return kSuccess;
}

int ZarnethCli::usageError(const std::string& message)
{
    m_err << "zarneth-cli: " << message << " (see zarneth-cli --help)\n";
    return kUnusable;
}

std::optional<ZRVoicePrint> ZarnethCli::voicePrintOf(const std::string& path, int* status)
{
    const AudioFileDecoder::Result audio = AudioFileDecoder::decode(path, kVoicePrintRate);
    if (!audio.ok()) {
        m_err << "zarneth-cli: " << audio.error << '\n';
        return std::nullopt;
    }
    ZRVoicePrint print;
    const int result = print.calculateVoicePrint(BigEndianSamples::bytesOf(audio.samples));
    if (status != nullptr)
        *status = result;
    return print;
}
