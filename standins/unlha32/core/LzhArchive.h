// LZH archives as a whole: the members of an existing archive, checked down
// to their data, and new members packed with "-lh5-".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standins/unlha32/core/LzhHeader.h"

namespace qm::lzh {

struct Member {
  MemberHeader header;
  std::string_view bytes;   // the header and the packed data, as in the archive
  std::string_view packed;  // the packed data alone
};

// The members of archive, in order. False, with a reason in error, when a
// header is broken or a member's data runs past the end.
bool ListMembers(std::string_view archive, std::vector<Member>& members, std::string& error);

// Unpacks a member and checks its size and CRC. Folders ("-lhd-") have no
// data and pass. False, with a reason, for an unknown method or bad data.
bool CheckMember(const Member& m, std::string& error, std::string* data = nullptr);

// A member for data: packed with "-lh5-", or stored ("-lh0-") when packing
// would not make it smaller. Throws std::length_error for data of 4 GB or
// more, or a path that does not fit a header.
std::string MakeMember(const std::string& path, std::string_view data, std::int64_t time,
                       std::uint8_t attribute);

}  // namespace qm::lzh
