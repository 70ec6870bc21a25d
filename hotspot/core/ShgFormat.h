// Number encodings, RunLen packing and small checks of the segmented-
// hypergraphics (.shg) format. The picture reader of the help editor uses
// these too, so they stand apart from TShg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/ByteReader.h"

namespace qm::hotspot {

// Every error of this unit.
class EShgError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that is refused.
class EShgErrorFile : public EShgError {
 public:
  using EShgError::EShgError;
};

extern const char kShgInvalidFileMessage[];  // "TShg.LoadFromFile: File type is invalid"

// Throws EShgErrorFile with kShgInvalidFileMessage.
[[noreturn]] void ThrowShgInvalidFile();

// Reads bytes of a buffer through a ByteReader: every read is bounded by the
// buffer, and a read past its end refuses the file (EShgErrorFile).
class TShgReader {
 public:
  TShgReader(const void* data, std::size_t size) : reader_(data, size) {}
  explicit TShgReader(std::string_view bytes) : reader_(bytes) {}

  std::size_t Position() const { return reader_.Position(); }
  std::size_t Size() const { return reader_.Size(); }
  std::size_t Remaining() const { return reader_.Remaining(); }
  void Seek(std::uint64_t pos);          // refuses a position beyond the end
  void Skip(std::uint64_t count);        // refuses skipping beyond the end
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();              // plain little-endian word
  std::uint32_t ReadDWord();             // plain little-endian double word
  // Appends count bytes to out; refuses a count beyond the end.
  void ReadBytes(std::uint64_t count, std::string& out);
  // Bytes up to the next NUL, which is consumed; refuses a string with no NUL.
  std::string ReadZString();
  const unsigned char* Current() const { return reader_.Current(); }

 private:
  ByteReader reader_;
};

std::uint16_t ReadCompressedWord(TShgReader& r);
std::uint32_t ReadCompressedDWord(TShgReader& r);
inline std::uint16_t ReadWord(TShgReader& r) { return r.ReadWord(); }

// Writers append to out and return the number of bytes written: 1 or 2 for
// a compressed word, 2 or 4 for a compressed double word. Values above the
// encodable range (32,767 and 2,147,483,647) keep their low bits only.
int WriteCompressedWord(std::string& out, std::uint32_t value);
int WriteCompressedDWord(std::string& out, std::uint32_t value);
void WriteWord(std::string& out, std::uint16_t value);
void WriteDWord(std::string& out, std::uint32_t value);

// RunLen packing: code bytes with the top bit set are followed by (code and
// $7F) literal bytes; other codes are followed by one byte repeated code
// times. Packing is linear in the input.
std::string RunLenPack(std::string_view data);
void RunLenPack(std::string_view data, std::string& out);  // appends
// Unpacks packed data; stops at the end of the data (a last code that asks
// for more bytes than remain uses what there is) and, when limit is not
// npos, as soon as limit bytes were produced. Linear in input and output.
std::string RunLenUnpack(std::string_view packed, std::size_t limit = std::string::npos);
// The same, appending at most limit bytes to out.
void RunLenUnpackTo(std::string_view packed, std::string& out, std::size_t limit = std::string::npos);

// XOR of the first ten 16-bit words of a 22-byte placeable metafile header.
std::uint16_t PlaceableChecksum(const void* header22);

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableHeaderSize = 22;

// True when bytes look like a whole enhanced metafile: a header record with
// the " EMF" signature, records of 8 or more bytes (multiples of 4) that
// tile the stated length inside the bytes, and an end-of-file record last.
// Checked before the platform is given the bytes.
bool IsWellFormedEmf(std::string_view emf);

// The records of a Windows metafile (after any placeable header), cut after
// the end record and with the header's size field set to what is there, so
// that the platform never reads past them; empty when the header or a record
// is malformed or there is no end record. The size field of real files is
// often wrong, so it is not trusted.
std::string NormalizeWmfRecords(std::string_view records);

enum THotSpotMode : std::uint8_t { hsMacro = 0, hsPopup = 1, hsJump = 2 };

// WinHelp context-string hash: 1 for a macro, else h = h * 43 + T[c].
std::uint32_t ContextHash(std::uint8_t mode, std::string_view context);
// 8 for a macro and for a pop-up or jump whose context holds ">", else 0.
std::uint8_t HasWindowSuffix(std::uint8_t mode, std::string_view context);
// The type byte of a hotspot record.
std::uint8_t HotSpotTypeByte(std::uint8_t mode, bool visible, std::string_view context);
// The mode a type byte stands for.
std::uint8_t HotSpotModeOfTypeByte(std::uint8_t typeByte);

// Windows' MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or
// the result does not fit 32 bits.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

}  // namespace qm::hotspot
