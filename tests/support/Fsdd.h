#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The Free Spoken Digit Dataset: real recordings of six people saying the
// digits, 8000 Hz mono 16-bit, read where they lie (never copied into the
// project). Shared by the tests and the benchmarks.
namespace Fsdd {

// $ZARNETH_FSDD when set, else the folder found at configure time; empty
// when neither holds the recordings.
std::filesystem::path directory();
// DIGIT_SPEAKER_TAKE.wav
std::filesystem::path recording(const std::string& name);
std::filesystem::path recording(int digit, const std::string& speaker, int take);
// Every recording, sorted by name.
std::vector<std::filesystem::path> all();

}  // namespace Fsdd
