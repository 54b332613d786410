#pragma once

#include <nlohmann/json.hpp>

class ZRCommandList;

// The whole content of a store as JSON, in the shape of the expected-reading
// files beside the archive fixtures (tests/data/archives/*.expected.json).
nlohmann::json storeAsJson(const ZRCommandList& store);
