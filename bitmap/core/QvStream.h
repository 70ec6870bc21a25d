// Minimal byte streams for the BMP reader and writer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bitmap/core/QvDibTypes.h"

namespace qm {

class QvStream {
 public:
  virtual ~QvStream() = default;
  // Reads up to n bytes; returns how many were read.
  virtual size_t Read(void* buf, size_t n) = 0;
  virtual void Write(const void* buf, size_t n) = 0;
  // Bytes left to read, or -1 when the stream cannot tell.
  virtual int64_t Remaining() const { return -1; }
  // Reads exactly n bytes or throws EQvReadError.
  void ReadBuffer(void* buf, size_t n) {
    if (Read(buf, n) != n) throw EQvReadError("Stream read error");
  }
  // Passes over n bytes; throws EQvReadError when the stream ends first.
  virtual void Skip(uint64_t n);
};

// Reads from memory that the caller keeps alive.
class QvMemoryReadStream : public QvStream {
 public:
  QvMemoryReadStream(const void* data, size_t size)
      : p_(static_cast<const uint8_t*>(data)), size_(size) {}
  explicit QvMemoryReadStream(const std::string& s) : QvMemoryReadStream(s.data(), s.size()) {}
  size_t Read(void* buf, size_t n) override {
    size_t k = n < size_ - pos_ ? n : size_ - pos_;
    if (k) std::memcpy(buf, p_ + pos_, k);
    pos_ += k;
    return k;
  }
  void Write(const void*, size_t) override { throw EQvReadError("Stream write error"); }
  int64_t Remaining() const override { return static_cast<int64_t>(size_ - pos_); }
  void Skip(uint64_t n) override {
    if (n > size_ - pos_) {
      pos_ = size_;
      throw EQvReadError("Stream read error");
    }
    pos_ += static_cast<size_t>(n);
  }
  size_t Position() const { return pos_; }

 private:
  const uint8_t* p_;
  size_t size_;
  size_t pos_ = 0;
};

// Appends everything written to a string.
class QvStringWriteStream : public QvStream {
 public:
  size_t Read(void*, size_t) override { return 0; }
  void Write(const void* buf, size_t n) override {
    data_.append(static_cast<const char*>(buf), n);
  }
  const std::string& Data() const { return data_; }
  std::string& Data() { return data_; }

 private:
  std::string data_;
};

// Reads a file from its start; Ok() tells whether it could be opened.
class QvFileReadStream : public QvStream {
 public:
  explicit QvFileReadStream(const std::string& path) : f_(std::fopen(path.c_str(), "rb")) {
    if (f_ && std::fseek(f_, 0, SEEK_END) == 0) {
      long n = std::ftell(f_);
      if (n >= 0) remaining_ = n;
      std::fseek(f_, 0, SEEK_SET);
    }
  }
  ~QvFileReadStream() override {
    if (f_) std::fclose(f_);
  }
  QvFileReadStream(const QvFileReadStream&) = delete;
  QvFileReadStream& operator=(const QvFileReadStream&) = delete;
  bool Ok() const { return f_ != nullptr; }
  size_t Read(void* buf, size_t n) override {
    size_t k = f_ ? std::fread(buf, 1, n, f_) : 0;
    if (remaining_ >= 0) remaining_ -= static_cast<int64_t>(k);
    return k;
  }
  void Write(const void*, size_t) override { throw EQvReadError("Stream write error"); }
  int64_t Remaining() const override { return remaining_; }
  void Skip(uint64_t n) override {
    if (remaining_ < 0) return QvStream::Skip(n);
    if (n > static_cast<uint64_t>(remaining_) || std::fseek(f_, static_cast<long>(n), SEEK_CUR) != 0) {
      remaining_ = 0;
      throw EQvReadError("Stream read error");
    }
    remaining_ -= static_cast<int64_t>(n);
  }

 private:
  std::FILE* f_;
  int64_t remaining_ = -1;
};

inline void QvStream::Skip(uint64_t n) {
  uint8_t buf[4096];
  while (n > 0) {
    size_t k = n < sizeof buf ? static_cast<size_t>(n) : sizeof buf;
    ReadBuffer(buf, k);
    n -= k;
  }
}

}  // namespace qm
