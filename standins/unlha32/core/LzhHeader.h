// Member headers of LZH archives.
//
// Reads header levels 0, 1 and 2; writes level 2:
//   size(2) method(5) packed(4) original(4) time(4, Unix seconds) attribute(1)
//   level(1)=2 crc(2) os(1) next-size(2), then extended headers, each
//   type(1) data next-size(2), ending with a next-size of 0.
// Numbers are little-endian. The extended headers written: 0x00 (the CRC-16 of
// the whole header, taken with this field zero), 0x01 (the file name), 0x02
// (the folders, each ended by 0xFF) when the member lies in a folder.
// Names are code page 932 bytes, kept as they are; folders are separated by
// '\' in the members this code hands out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm::lzh {

struct MemberHeader {
  std::string method = "-lh0-";  // five bytes: "-lh0-", "-lh5-" ...
  std::uint32_t packedSize = 0;
  std::uint32_t originalSize = 0;
  std::int64_t time = 0;          // Unix seconds (UTC)
  std::uint8_t attribute = 0x20;  // MS-DOS attributes
  std::uint8_t level = 2;
  std::uint16_t crc = 0;          // CRC-16 of the original data
  std::uint8_t os = 'M';
  std::string path;               // "rtf\Intro.rtf"
  std::uint32_t headerSize = 0;   // bytes of the header in the archive (read only)
};

enum class HeaderStatus { Ok, End, Broken };

// Reads the header that starts at pos. End: the archive's end mark (a zero
// byte, or no bytes left). Broken: cut short, a bad size or header checksum,
// or an unknown level; out is then unspecified. MS-DOS times of levels 0 and
// 1 are taken as UTC.
HeaderStatus ReadMemberHeader(std::string_view archive, std::size_t pos, MemberHeader& out);

// A level-2 header for h (level, headerSize are ignored). Throws
// std::length_error when the path does not fit a header.
std::string WriteLevel2Header(const MemberHeader& h);

// Path from the bytes of an archive's folder field (separators 0xFF, '\' or
// '/') and file name: separators become '\', and "." and ".." parts and
// leading separators are dropped so that a member never points outside the
// folder it is unpacked into.
std::string JoinMemberPath(std::string_view folders, std::string_view name);

}  // namespace qm::lzh
