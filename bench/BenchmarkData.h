#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

class ZRCommandList;
class ZRVoicePrint;

// Inputs the benchmarks share: prints of real speech (the spoken digit
// recordings) and of synthetic speech-like frames, and stores made of them.
namespace BenchmarkData {

// Two seconds of one person's speech, the digits back to back.
std::vector<std::int16_t> twoSecondsOfSpeech(const char* speaker, int take);
// The print of 8000 Hz samples.
std::shared_ptr<ZRVoicePrint> printOf(const std::vector<std::int16_t>& samples);
// The prints of every recording, in a fixed shuffled order; empty without
// the recordings.
const std::vector<std::shared_ptr<ZRVoicePrint>>& realSpeechPrints();
// A recording not stored as it is: one of them with a faint hiss added.
std::shared_ptr<ZRVoicePrint> realSpeechUtterance();
// Speech-like prints: each coefficient drifts from frame to frame within ±255.
std::shared_ptr<ZRVoicePrint> syntheticPrint(int frames, std::uint32_t seed);
// `prints` as a store of phone commands of three samples each (the last may
// hold fewer), archived once as the application would save it.
QByteArray archiveOf(const std::vector<std::shared_ptr<ZRVoicePrint>>& prints);
// The same store, decoded from that archive.
std::shared_ptr<ZRCommandList> storeOf(const std::vector<std::shared_ptr<ZRVoicePrint>>& prints);

}  // namespace BenchmarkData
