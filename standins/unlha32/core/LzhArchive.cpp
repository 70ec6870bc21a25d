#include "standins/unlha32/core/LzhArchive.h"

#include <stdexcept>

#include "standins/unlha32/core/Crc16.h"
#include "standins/unlha32/core/LhDecoder.h"
#include "standins/unlha32/core/LhEncoder.h"
#include "standins/unlha32/core/LhFormat.h"

namespace qm::lzh {

bool ListMembers(std::string_view archive, std::vector<Member>& members, std::string& error) {
  members.clear();
  std::size_t pos = 0;
  for (;;) {
    Member m;
    switch (ReadMemberHeader(archive, pos, m.header)) {
      case HeaderStatus::End: return true;
      case HeaderStatus::Broken:
        error = "broken member header at byte " + std::to_string(pos);
        return false;
      case HeaderStatus::Ok: break;
    }
    const std::size_t dataPos = pos + m.header.headerSize;
    if (m.header.packedSize > archive.size() - dataPos) {
      error = "the data of " + m.header.path + " runs past the end of the archive";
      return false;
    }
    m.packed = archive.substr(dataPos, m.header.packedSize);
    m.bytes = archive.substr(pos, m.header.headerSize + m.header.packedSize);
    pos = dataPos + m.header.packedSize;
    members.push_back(m);
  }
}

bool CheckMember(const Member& m, std::string& error, std::string* data) {
  if (m.header.method == "-lhd-") return true;
  if (!IsKnownMethod(m.header.method)) {
    error = m.header.path + ": unknown method " + m.header.method;
    return false;
  }
  std::string out;
  if (!Unpack(m.header.method, m.packed, m.header.originalSize, out)) {
    error = m.header.path + ": broken data";
    return false;
  }
  if (Crc16(out) != m.header.crc) {
    error = m.header.path + ": CRC error";
    return false;
  }
  if (data) data->swap(out);
  return true;
}

std::string MakeMember(const std::string& path, std::string_view data, std::int64_t time,
                       std::uint8_t attribute) {
  if (data.size() > 0xFFFFFFFFu) throw std::length_error("file too large for an LZH archive: " + path);
  MemberHeader h;
  h.path = path;
  h.time = time;
  h.attribute = attribute;
  h.originalSize = static_cast<std::uint32_t>(data.size());
  h.crc = Crc16(data);
  std::string packed = Pack(*FindMethod("-lh5-"), data);
  if (packed.size() < data.size()) {
    h.method = "-lh5-";
  } else {
    h.method = "-lh0-";
    packed.assign(data);
  }
  h.packedSize = static_cast<std::uint32_t>(packed.size());
  return WriteLevel2Header(h) + packed;
}

}  // namespace qm::lzh
