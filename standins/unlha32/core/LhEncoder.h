// Packing with the static-Huffman LZH methods ("-lh5-" is what archives get;
// the larger dictionaries of "-lh6-" and "-lh7-" work the same way).
//
// Matches are found through hash chains of three-byte prefixes with one step
// of lazy evaluation; the codes of each block go out with Huffman codes made
// for that block.
#pragma once

#include <string>
#include <string_view>

namespace qm::lzh {

struct MethodParams;

// The packed form of data with method m (one of kMethods). Empty data packs
// to nothing.
std::string Pack(const MethodParams& m, std::string_view data);

}  // namespace qm::lzh
