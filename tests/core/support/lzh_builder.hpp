#pragma once
// LZH archives for the tests, written by hand: level-0 headers with stored ("-lh0-")
// members, so that the archive reader is tested against an independent writer.
#include <cstdint>
#include <string>
#include <vector>

#include "features/import/jravan/lha_archive.hpp"

namespace tovra::importtest {

struct LzhEntry {
  std::string name;  // as stored, folders included
  std::vector<std::uint8_t> data;
};

inline std::vector<std::uint8_t> lzhArchive(const std::vector<LzhEntry>& entries, bool endMark = true) {
  std::vector<std::uint8_t> out;
  auto le32 = [](std::vector<std::uint8_t>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
  };
  for (const LzhEntry& e : entries) {
    std::vector<std::uint8_t> h;
    for (char c : std::string("-lh0-")) h.push_back(static_cast<std::uint8_t>(c));
    le32(h, static_cast<std::uint32_t>(e.data.size()));
    le32(h, static_cast<std::uint32_t>(e.data.size()));
    le32(h, 0x4F790000);  // a DOS time stamp
    h.push_back(0x20);    // attribute
    h.push_back(0);       // header level
    h.push_back(static_cast<std::uint8_t>(e.name.size()));
    h.insert(h.end(), e.name.begin(), e.name.end());
    const std::uint16_t crc = lhaCrc16(e.data);
    h.push_back(static_cast<std::uint8_t>(crc));
    h.push_back(static_cast<std::uint8_t>(crc >> 8));
    std::uint8_t sum = 0;
    for (std::uint8_t b : h) sum = static_cast<std::uint8_t>(sum + b);
    out.push_back(static_cast<std::uint8_t>(h.size()));
    out.push_back(sum);
    out.insert(out.end(), h.begin(), h.end());
    out.insert(out.end(), e.data.begin(), e.data.end());
  }
  if (endMark) out.push_back(0);
  return out;
}

}  // namespace tovra::importtest
