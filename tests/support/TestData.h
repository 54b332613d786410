#pragma once

#include "support/Fsdd.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class ZRVoicePrint;

// Where the tests find their inputs, and small helpers around them.
namespace TestData {

std::filesystem::path file(const std::string& name);     // tests/data/NAME
std::filesystem::path example(const std::string& name);  // resources/examples/NAME

// Samples of an audio file at 8000 Hz; fails the test when unreadable.
std::vector<std::int16_t> samplesOf(const std::filesystem::path& path);
// The voice print of 8000 Hz samples, as the recorder would hand them over.
ZRVoicePrint voicePrintOf(const std::vector<std::int16_t>& samples);

// Reference values made by tests/reference/make_golden.py.
const nlohmann::json& golden();

// Writes 8000 Hz mono 16-bit samples as a WAV file.
void writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples);

// Deterministic, varied, nonzero 16-bit samples (within ±2048).
std::vector<std::int16_t> nonzeroNoise(std::size_t count, std::uint32_t seed = 1);
// Speech with a faint background hiss before and after it, as a microphone
// in a quiet room delivers an utterance.
std::vector<std::int16_t> inQuietRoom(const std::vector<std::int16_t>& speech, std::size_t before, std::size_t after);

}  // namespace TestData
