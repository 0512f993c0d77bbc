#pragma once
// Little-endian field access at explicit offsets: records are encoded field by field,
// never by copying structs (whose padding and byte order are the compiler's business).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

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

// One list of a record's fields serves both directions: the record calls io(offset, field)
// for each number or array of numbers and io.raw(offset, field) for text and bytes kept as
// they are, in the order of the file; a FieldWriter encodes, a FieldReader decodes.
class FieldWriter {
 public:
  explicit FieldWriter(std::uint8_t* out) : p_(out) {}
  void operator()(std::size_t off, std::uint8_t v) { p_[off] = v; }
  void operator()(std::size_t off, std::uint16_t v) { putU16(p_, off, v); }
  void operator()(std::size_t off, std::uint32_t v) { putU32(p_, off, v); }
  void operator()(std::size_t off, std::int32_t v) { putI32(p_, off, v); }
  template <std::size_t N>
  void operator()(std::size_t off, const std::uint16_t (&a)[N]) {
    putU16s(p_, off, a);
  }
  template <std::size_t N>
  void operator()(std::size_t off, const std::int32_t (&a)[N]) {
    putI32s(p_, off, a);
  }
  template <class T>
  void raw(std::size_t off, const T& field) {
    static_assert(std::is_trivially_copyable_v<T>);
    putRaw(p_, off, &field, sizeof field);
  }

 private:
  std::uint8_t* p_;
};

class FieldReader {
 public:
  explicit FieldReader(const std::uint8_t* in) : p_(in) {}
  void operator()(std::size_t off, std::uint8_t& v) { v = p_[off]; }
  void operator()(std::size_t off, std::uint16_t& v) { v = getU16(p_, off); }
  void operator()(std::size_t off, std::uint32_t& v) { v = getU32(p_, off); }
  void operator()(std::size_t off, std::int32_t& v) { v = getI32(p_, off); }
  template <std::size_t N>
  void operator()(std::size_t off, std::uint16_t (&a)[N]) {
    getU16s(p_, off, a);
  }
  template <std::size_t N>
  void operator()(std::size_t off, std::int32_t (&a)[N]) {
    getI32s(p_, off, a);
  }
  template <class T>
  void raw(std::size_t off, T& field) {
    static_assert(std::is_trivially_copyable_v<T>);
    getRaw(p_, off, &field, sizeof field);
  }

 private:
  const std::uint8_t* p_;
};

}  // namespace tovra::bytes
