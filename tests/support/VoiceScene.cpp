#include "support/VoiceScene.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

VoiceScene::~VoiceScene()
{
    unsetenv("ZARNETH_URL_OPENER");
}

std::string VoiceScene::utterance(int digit, int take) const
{
    const std::filesystem::path path = m_folder / (std::to_string(digit) + "_" + std::to_string(take) + ".wav");
    if (std::filesystem::exists(path))
        return path.string();
    const std::vector<std::int16_t> speech
        = take < 0 ? std::vector<std::int16_t> {} : TestData::samplesOf(Fsdd::recording(digit, "jackson", take));
    std::vector<std::int16_t> heard = TestData::inQuietRoom(speech, 2000, 16000);
    heard.resize(16000);
    TestData::writeWav(path, heard);
    return path.string();
}

void VoiceScene::train(std::vector<std::string> arguments, int digit) const
{
    arguments.insert(arguments.begin(), "train");
    arguments.push_back(utterance(digit, 0));
    arguments.push_back(utterance(digit, 1));
    const ProcessRun run = cli(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
}

void VoiceScene::trainContact(int digit) const
{
    train({"--name", "Digit " + std::to_string(digit), "--number", "+49 170 00" + std::to_string(digit)}, digit);
}

void VoiceScene::trainSystemCommand(const std::string& type, int digit) const
{
    train({"--system", type}, digit);
}

void VoiceScene::useUrlOpener(int status) const
{
    const std::filesystem::path script = m_folder / "opener.sh";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s %s\\n' \"$1\" \"$(date +%s%N)\" >> '"
                          << (m_folder / "opened").string() << "'\nexit " << status << "\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    setenv("ZARNETH_URL_OPENER", script.c_str(), 1);
}

std::vector<std::string> VoiceScene::opened() const
{
    std::vector<std::string> urls;
    std::ifstream in(m_folder / "opened");
    for (std::string url, time; in >> url >> time;)
        urls.push_back(url);
    return urls;
}

std::vector<std::chrono::system_clock::time_point> VoiceScene::openedAt() const
{
    std::vector<std::chrono::system_clock::time_point> times;
    std::ifstream in(m_folder / "opened");
    long long nanoseconds = 0;
    for (std::string url; in >> url >> nanoseconds;)
        times.emplace_back(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(nanoseconds)));
    return times;
}

std::map<std::string, std::string> VoiceScene::applicationEnvironment(const std::string& display) const
{
    const std::filesystem::path runtime = m_folder / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    return {{"DISPLAY", display}, {"QT_LOGGING_RULES", "zarneth.audio.debug=true"}, {"LANGUAGE", "en"},
        {"LC_ALL", "C.UTF-8"}, {"XDG_RUNTIME_DIR", runtime.string()},
        {"ASAN_OPTIONS", std::string(sanitizer ? sanitizer : "") + ":detect_leaks=0"}};
}
