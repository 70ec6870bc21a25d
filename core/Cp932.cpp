#include "core/Cp932.h"

#include <cstdlib>

namespace qm {

std::string CutBytes(std::string_view s, std::size_t n) {
  if (s.size() <= n) return std::string(s);
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t len = CharLength(s, i);
    if (i + len > n) break;
    i += len;
  }
  return std::string(s.substr(0, i));
}

std::size_t FindChar(std::string_view s, char ch, std::size_t from) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t len = CharLength(s, i);
    if (i >= from && len == 1 && s[i] == ch) return i;
    i += len;
  }
  return std::string_view::npos;
}

std::size_t FindLastChar(std::string_view s, char ch) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (CharLength(s, i) == 1 && s[i] == ch) found = i;
  }
  return found;
}

std::vector<std::string> SplitAtChar(std::string_view s, char sep) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (CharLength(s, i) == 1 && s[i] == sep) {
      fields.emplace_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  fields.emplace_back(s.substr(start));
  return fields;
}

namespace {
template <typename F>
std::string MapAscii(std::string_view s, F f) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t len = CharLength(out, i);
    if (len == 1) out[i] = f(out[i]);
    i += len;
  }
  return out;
}
char Up(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char Low(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
}  // namespace

std::string UpperAscii(std::string_view s) { return MapAscii(s, Up); }
std::string LowerAscii(std::string_view s) { return MapAscii(s, Low); }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // A double-byte character must match exactly: its trail byte may be an
  // ASCII letter ("ア" is 0x83 0x41, "ヂ" 0x83 0x61) and is never folded.
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t len = CharLength(a, i);
    if (len == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (Up(a[i]) != Up(b[i])) {
      return false;
    }
    i += len;
  }
  return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::size_t FindNoCase(std::string_view s, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= s.size() ? from : std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (i < from) continue;
    if (s.size() - i >= needle.size() && EqualsNoCase(s.substr(i, needle.size()), needle))
      return i;
  }
  return std::string_view::npos;
}

std::string TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string IntToStr(long long v) { return std::to_string(v); }

bool TryStrToInt(std::string_view s, int& out) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  std::size_t i = 0;
  bool neg = false;
  if (t[0] == '+' || t[0] == '-') {
    neg = t[0] == '-';
    i = 1;
  }
  if (i >= t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    v = v * 10 + (t[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return false;
  out = static_cast<int>(v);
  return true;
}

int StrToIntDef(std::string_view s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

}  // namespace qm
