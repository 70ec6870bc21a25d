// A large project for the benchmarks: topics in books five levels deep,
// every fifth topic hidden under the topic before it.
#pragma once

#include <string>

namespace qm::editor::bench {

// Writes the project "big.hpj" (with its map and contents files) into the
// existing folder `dir`; returns the project file's path.
std::string WriteBigProject(const std::string& dir, int topics);

}  // namespace qm::editor::bench
