#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The Free Spoken Digit Dataset: real recordings of people saying the
// digits, 8000 Hz mono 16-bit. Sixty of them ship in tests/data/fsdd (digits
// 0-9, speakers jackson and theo, takes 0-2); $ZARNETH_FSDD may name the
// whole dataset. Shared by the tests and the benchmarks.
namespace Fsdd {

// $ZARNETH_FSDD when set, else the shipped folder; throws when it holds no
// recordings.
std::filesystem::path directory();
// DIGIT_SPEAKER_TAKE.wav
std::filesystem::path recording(const std::string& name);
std::filesystem::path recording(int digit, const std::string& speaker, int take);
// Every recording, sorted by name.
std::vector<std::filesystem::path> all();

}  // namespace Fsdd
