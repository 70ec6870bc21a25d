#include "standins/unlha32/core/LzhHeader.h"

#include <stdexcept>
#include <vector>

#include "core/ByteWriter.h"
#include "core/Cp932.h"
#include "core/LittleEndian.h"
#include "standins/unlha32/core/Crc16.h"

namespace qm::lzh {

namespace {

std::uint16_t Get16(std::string_view s, std::size_t i) { return LoadLe16(s.data() + i); }

std::uint32_t Get32(std::string_view s, std::size_t i) { return LoadLe32(s.data() + i); }

void Put16(std::string& s, unsigned v) { ByteWriter(s).WriteU16(static_cast<std::uint16_t>(v)); }

void Put32(std::string& s, std::uint32_t v) { ByteWriter(s).WriteU32(v); }

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<std::int64_t>(era) * 146097 + doe - 719468;
}

std::int64_t DosTimeToUnix(std::uint32_t dos) {
  unsigned sec = (dos & 0x1F) * 2, min = (dos >> 5) & 0x3F, hour = (dos >> 11) & 0x1F;
  unsigned day = (dos >> 16) & 0x1F, month = (dos >> 21) & 0x0F;
  int year = 1980 + static_cast<int>(dos >> 25);
  if (month < 1) month = 1;
  if (month > 12) month = 12;
  if (day < 1) day = 1;
  return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + min * 60 + sec;
}

// Splits at single-byte separators (a trail byte 0x5C is part of its
// character, not a separator).
std::vector<std::string> SplitPath(std::string_view s) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = CharLength(s, i);
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (n == 1 && (c == 0xFF || c == '\\' || c == '/')) parts.emplace_back();
    else parts.back().append(s.substr(i, n));
    i += n;
  }
  return parts;
}

// The extended headers of levels 1 and 2 from pos up to end; false when one
// runs past end or is too small to hold its own size.
bool ReadExtendedHeaders(std::string_view a, std::size_t pos, std::size_t end, std::size_t nextSize,
                         MemberHeader& out, std::string& folders, std::size_t& crcPos) {
  while (nextSize != 0) {
    if (nextSize < 3 || pos + nextSize > end) return false;
    const std::string_view data = a.substr(pos + 1, nextSize - 3);
    switch (static_cast<unsigned char>(a[pos])) {
      case 0x00:
        if (data.size() >= 2) crcPos = pos + 1;
        break;
      case 0x01: out.path = std::string(data); break;
      case 0x02: folders = std::string(data); break;
      case 0x40:
        if (data.size() >= 1) out.attribute = static_cast<std::uint8_t>(data[0]);
        break;
      case 0x54:
        if (data.size() >= 4) out.time = Get32(data, 0);
        break;
      default: break;
    }
    pos += nextSize;
    nextSize = Get16(a, pos - 2);
  }
  return true;
}

}  // namespace

std::string JoinMemberPath(std::string_view folders, std::string_view name) {
  std::vector<std::string> parts = SplitPath(folders);
  for (std::string& p : SplitPath(name)) parts.push_back(std::move(p));
  std::string path;
  for (const std::string& p : parts) {
    if (p.empty() || p == "." || p == "..") continue;
    if (!path.empty()) path += '\\';
    path += p;
  }
  return path;
}

HeaderStatus ReadMemberHeader(std::string_view a, std::size_t pos, MemberHeader& out) {
  if (pos >= a.size() || a[pos] == 0) return HeaderStatus::End;
  if (a.size() - pos < 22) return HeaderStatus::Broken;
  out = MemberHeader{};
  out.method = std::string(a.substr(pos + 2, 5));
  out.packedSize = Get32(a, pos + 7);
  out.originalSize = Get32(a, pos + 11);
  out.attribute = static_cast<std::uint8_t>(a[pos + 19]);
  out.level = static_cast<std::uint8_t>(a[pos + 20]);
  std::string folders;
  std::string_view name;

  if (out.level == 0 || out.level == 1) {
    const std::size_t base = static_cast<unsigned char>(a[pos]) + 2u;
    if (base < 24 || pos + base > a.size()) return HeaderStatus::Broken;
    unsigned sum = 0;
    for (std::size_t i = pos + 2; i < pos + base; ++i) sum += static_cast<unsigned char>(a[i]);
    if ((sum & 0xFF) != static_cast<unsigned char>(a[pos + 1])) return HeaderStatus::Broken;
    out.time = DosTimeToUnix(Get32(a, pos + 15));
    const std::size_t nameLen = static_cast<unsigned char>(a[pos + 21]);
    if (22 + nameLen + 2 > base) return HeaderStatus::Broken;
    name = a.substr(pos + 22, nameLen);
    out.crc = Get16(a, pos + 22 + nameLen);
    out.os = 'M';
    out.headerSize = static_cast<std::uint32_t>(base);
    if (out.level == 1) {
      if (22 + nameLen + 5 > base) return HeaderStatus::Broken;
      out.os = static_cast<std::uint8_t>(a[pos + 24 + nameLen]);
      // The packed size counts the extended headers too.
      std::size_t p = pos + base;
      std::size_t next = Get16(a, p - 2);
      std::uint32_t extended = 0;
      while (next != 0) {
        if (next < 3 || p + next > a.size() || next > out.packedSize - extended)
          return HeaderStatus::Broken;
        extended += static_cast<std::uint32_t>(next);
        p += next;
        next = Get16(a, p - 2);
      }
      std::size_t crcPos = 0;
      out.path.assign(name);
      if (!ReadExtendedHeaders(a, pos + base, p, Get16(a, pos + base - 2), out, folders, crcPos))
        return HeaderStatus::Broken;
      name = {};
      out.packedSize -= extended;
      out.headerSize = static_cast<std::uint32_t>(p - pos);
      out.path = JoinMemberPath(folders, out.path);
      return HeaderStatus::Ok;
    }
  } else if (out.level == 2) {
    const std::size_t size = Get16(a, pos);
    if (size < 26 || pos + size > a.size()) return HeaderStatus::Broken;
    out.time = Get32(a, pos + 15);
    out.crc = Get16(a, pos + 21);
    out.os = static_cast<std::uint8_t>(a[pos + 23]);
    std::size_t crcPos = 0;
    if (!ReadExtendedHeaders(a, pos + 26, pos + size, Get16(a, pos + 24), out, folders, crcPos))
      return HeaderStatus::Broken;
    if (crcPos != 0) {
      std::string copy(a.substr(pos, size));
      copy[crcPos - pos] = copy[crcPos - pos + 1] = 0;
      if (Crc16(copy) != Get16(a, crcPos)) return HeaderStatus::Broken;
    }
    out.headerSize = static_cast<std::uint32_t>(size);
    out.path = JoinMemberPath(folders, out.path);
    return HeaderStatus::Ok;
  } else {
    return HeaderStatus::Broken;
  }
  out.path = JoinMemberPath(folders, name);
  return HeaderStatus::Ok;
}

std::string WriteLevel2Header(const MemberHeader& h) {
  std::string folders, name = h.path;
  const std::size_t cut = FindLastChar(h.path, '\\');
  if (cut != std::string::npos) {
    name = h.path.substr(cut + 1);
    for (const std::string& part : SplitPath(std::string_view(h.path).substr(0, cut)))
      if (!part.empty()) folders += part + '\xFF';
  }
  std::string out;
  Put16(out, 0);  // size, set below
  out += (h.method + "-----").substr(0, 5);
  Put32(out, h.packedSize);
  Put32(out, h.originalSize);
  Put32(out, static_cast<std::uint32_t>(h.time < 0 ? 0 : h.time > 0xFFFFFFFFll ? 0xFFFFFFFFll : h.time));
  out += static_cast<char>(h.attribute);
  out += '\x02';
  Put16(out, h.crc);
  out += static_cast<char>(h.os);
  // Extended headers; each size field counts the header that follows it.
  Put16(out, 5);
  out += '\x00';
  const std::size_t crcPos = out.size();
  Put16(out, 0);
  Put16(out, static_cast<unsigned>(name.size() + 3));
  out += '\x01';
  out += name;
  if (!folders.empty()) {
    Put16(out, static_cast<unsigned>(folders.size() + 3));
    out += '\x02';
    out += folders;
  }
  Put16(out, 0);
  // A header's first byte must not be 0, which would read as the end mark.
  if ((out.size() & 0xFF) == 0) out += '\0';
  if (out.size() > 0xFFFF) throw std::length_error("path too long for an LZH header: " + h.path);
  StoreLe16(out.data(), static_cast<std::uint16_t>(out.size()));
  StoreLe16(out.data() + crcPos, Crc16(out));
  return out;
}

}  // namespace qm::lzh
