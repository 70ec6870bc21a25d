// A .shg file with many hotspots, for the benchmarks and tests of large
// files: the picture of a real file with hotspots laid over it in rows.
#pragma once

#include <string>

namespace qm::hotspot::bench {

// The bytes of a .shg file: the picture of `source` (a .shg file) and
// `count` small hotspots laid row by row across it, in every mode, framed
// and not, each with a name and a context of its own.
std::string ManyHotspotsShg(const std::string& source, int count);

}  // namespace qm::hotspot::bench
