#pragma once
// Little-endian field access at explicit offsets: records are encoded field by field,
// never by copying structs (whose padding and byte order are the compiler's business).
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tovra::bytes {

inline std::uint16_t getU16(const std::uint8_t* p, std::size_t off) {
  return static_cast<std::uint16_t>(p[off] | (p[off + 1] << 8));
}
inline std::uint32_t getU32(const std::uint8_t* p, std::size_t off) {
  return static_cast<std::uint32_t>(p[off]) | (static_cast<std::uint32_t>(p[off + 1]) << 8) |
         (static_cast<std::uint32_t>(p[off + 2]) << 16) | (static_cast<std::uint32_t>(p[off + 3]) << 24);
}
inline std::int32_t getI32(const std::uint8_t* p, std::size_t off) { return static_cast<std::int32_t>(getU32(p, off)); }
inline void putU16(std::uint8_t* p, std::size_t off, std::uint16_t v) {
  p[off] = static_cast<std::uint8_t>(v);
  p[off + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putU32(std::uint8_t* p, std::size_t off, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void putI32(std::uint8_t* p, std::size_t off, std::int32_t v) { putU32(p, off, static_cast<std::uint32_t>(v)); }

template <std::size_t N>
void getU16s(const std::uint8_t* p, std::size_t off, std::uint16_t (&a)[N]) {
  for (std::size_t i = 0; i < N; ++i) a[i] = getU16(p, off + 2 * i);
}
template <std::size_t N>
void putU16s(std::uint8_t* p, std::size_t off, const std::uint16_t (&a)[N]) {
  for (std::size_t i = 0; i < N; ++i) putU16(p, off + 2 * i, a[i]);
}
template <std::size_t N>
void getI32s(const std::uint8_t* p, std::size_t off, std::int32_t (&a)[N]) {
  for (std::size_t i = 0; i < N; ++i) a[i] = getI32(p, off + 4 * i);
}
template <std::size_t N>
void putI32s(std::uint8_t* p, std::size_t off, const std::int32_t (&a)[N]) {
  for (std::size_t i = 0; i < N; ++i) putI32(p, off + 4 * i, a[i]);
}
inline void getRaw(const std::uint8_t* p, std::size_t off, void* dst, std::size_t n) { std::memcpy(dst, p + off, n); }
inline void putRaw(std::uint8_t* p, std::size_t off, const void* src, std::size_t n) { std::memcpy(p + off, src, n); }

}  // namespace tovra::bytes
