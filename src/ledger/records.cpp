#include "ledger/records.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "ledger/bytes.hpp"

namespace tovra {
using namespace bytes;

void KaisaiRecord::encode(std::uint8_t* out) const {
  namespace o = kaisai_off;
  putU16(out, o::tsukiHi, tsukiHi);
  putU16(out, o::kaiNichi, kaiNichi);
  putI32s(out, o::kounyuGaku, kounyuGaku);
  putI32s(out, o::shushi, shushi);
  putU16s(out, o::raceJoutai, raceJoutai);
  putRaw(out, o::raceMei, raceMei, sizeof raceMei);
  static_assert(kaisai_off::raceMei + sizeof(KaisaiRecord{}.raceMei) == kSize);
}

void KaisaiRecord::decode(const std::uint8_t* in) {
  namespace o = kaisai_off;
  tsukiHi = getU16(in, o::tsukiHi);
  kaiNichi = getU16(in, o::kaiNichi);
  getI32s(in, o::kounyuGaku, kounyuGaku);
  getI32s(in, o::shushi, shushi);
  getU16s(in, o::raceJoutai, raceJoutai);
  getRaw(in, o::raceMei, raceMei, sizeof raceMei);
}

bool KaisaiRecord::isBlank() const {
  std::uint8_t buf[kSize];
  encode(buf);
  return std::all_of(buf, buf + kSize, [](std::uint8_t b) { return b == 0; });
}

void RaceRecord::encode(std::uint8_t* out) const {
  namespace o = race_off;
  putU32(out, o::koumoku, koumoku);
  putU16(out, o::kyori, kyori);
  putU16s(out, o::tanUma, tanUma);
  putI32s(out, o::tanGaku, tanGaku);
  putI32(out, o::tanGoukei, tanGoukei);
  putU16s(out, o::fukuUma, fukuUma);
  putRaw(out, 50, pad50, 2);
  putI32s(out, o::fukuGaku, fukuGaku);
  putI32(out, o::fukuGoukei, fukuGoukei);
  putU16s(out, o::wakuKumi, wakuKumi);
  putI32s(out, o::wakuGaku, wakuGaku);
  putI32(out, o::wakuGoukei, wakuGoukei);
  putU16s(out, o::umaKumi, umaKumi);
  putI32s(out, o::umaGaku, umaGaku);
  putI32(out, o::umaGoukei, umaGoukei);
  putU16s(out, o::wideKumi, wideKumi);
  putI32s(out, o::wideGaku, wideGaku);
  putI32(out, o::wideGoukei, wideGoukei);
  putU16s(out, o::tanKeka, tanKeka);
  putI32s(out, o::tanHaitou, tanHaitou);
  putU16s(out, o::fukuKeka, fukuKeka);
  putI32s(out, o::fukuHaitou, fukuHaitou);
  putU16s(out, o::wakuKeka, wakuKeka);
  putI32s(out, o::wakuHaitou, wakuHaitou);
  putU16s(out, o::umaKeka, umaKeka);
  putI32s(out, o::umaHaitou, umaHaitou);
  putU16s(out, o::wideKeka, wideKeka);
  putI32s(out, o::wideHaitou, wideHaitou);
  putU16s(out, o::chakuUma, chakuUma);
  putRaw(out, o::chakuBamei, chakuBamei, sizeof chakuBamei);
  putRaw(out, o::chakuText, chakuText, sizeof chakuText);
  out[885] = pad885;
  putU16s(out, o::shutsubaWaku, shutsubaWaku);
  putRaw(out, o::shutsubaBamei, shutsubaBamei, sizeof shutsubaBamei);
  putRaw(out, o::shutsubaKishu, shutsubaKishu, sizeof shutsubaKishu);
  putU16s(out, o::shutsubaKinryo, shutsubaKinryo);
  putRaw(out, o::comento, comento, sizeof comento);
  static_assert(race_off::comento + sizeof(RaceRecord{}.comento) == kSize);
}

void RaceRecord::decode(const std::uint8_t* in) {
  namespace o = race_off;
  koumoku = getU32(in, o::koumoku);
  kyori = getU16(in, o::kyori);
  getU16s(in, o::tanUma, tanUma);
  getI32s(in, o::tanGaku, tanGaku);
  tanGoukei = getI32(in, o::tanGoukei);
  getU16s(in, o::fukuUma, fukuUma);
  getRaw(in, 50, pad50, 2);
  getI32s(in, o::fukuGaku, fukuGaku);
  fukuGoukei = getI32(in, o::fukuGoukei);
  getU16s(in, o::wakuKumi, wakuKumi);
  getI32s(in, o::wakuGaku, wakuGaku);
  wakuGoukei = getI32(in, o::wakuGoukei);
  getU16s(in, o::umaKumi, umaKumi);
  getI32s(in, o::umaGaku, umaGaku);
  umaGoukei = getI32(in, o::umaGoukei);
  getU16s(in, o::wideKumi, wideKumi);
  getI32s(in, o::wideGaku, wideGaku);
  wideGoukei = getI32(in, o::wideGoukei);
  getU16s(in, o::tanKeka, tanKeka);
  getI32s(in, o::tanHaitou, tanHaitou);
  getU16s(in, o::fukuKeka, fukuKeka);
  getI32s(in, o::fukuHaitou, fukuHaitou);
  getU16s(in, o::wakuKeka, wakuKeka);
  getI32s(in, o::wakuHaitou, wakuHaitou);
  getU16s(in, o::umaKeka, umaKeka);
  getI32s(in, o::umaHaitou, umaHaitou);
  getU16s(in, o::wideKeka, wideKeka);
  getI32s(in, o::wideHaitou, wideHaitou);
  getU16s(in, o::chakuUma, chakuUma);
  getRaw(in, o::chakuBamei, chakuBamei, sizeof chakuBamei);
  getRaw(in, o::chakuText, chakuText, sizeof chakuText);
  pad885 = in[885];
  getU16s(in, o::shutsubaWaku, shutsubaWaku);
  getRaw(in, o::shutsubaBamei, shutsubaBamei, sizeof shutsubaBamei);
  getRaw(in, o::shutsubaKishu, shutsubaKishu, sizeof shutsubaKishu);
  getU16s(in, o::shutsubaKinryo, shutsubaKinryo);
  getRaw(in, o::comento, comento, sizeof comento);
}

bool RaceRecord::isBlank() const {
  std::uint8_t buf[kSize];
  encode(buf);
  return std::all_of(buf, buf + kSize, [](std::uint8_t b) { return b == 0; });
}

void NenjiTable::encode(std::uint8_t* out) const { putU16s(out, 0, nen); }
void NenjiTable::decode(const std::uint8_t* in) { getU16s(in, 0, nen); }
int NenjiTable::count() const {
  int n = 0;
  while (n < kUsable && nen[n] != 0) ++n;
  return n;
}

namespace {
constexpr KeibajoInfo kKeibajo[kCourseCount] = {
    {"札幌", "sap", "sap.dat", "rsa.dat"}, {"函館", "hak", "hak.dat", "rhk.dat"}, {"福島", "fuk", "fuk.dat", "rfu.dat"},
    {"新潟", "nii", "nii.dat", "rni.dat"}, {"東京", "tok", "tok.dat", "rto.dat"}, {"中山", "nak", "nak.dat", "rna.dat"},
    {"中京", "chu", "chu.dat", "rch.dat"}, {"京都", "kyo", "kyo.dat", "rky.dat"}, {"阪神", "han", "han.dat", "rhn.dat"},
    {"小倉", "kok", "kok.dat", "rko.dat"},
};
}  // namespace

const KeibajoInfo& keibajo(int course) {
  // A course index outside 0-9 is a fault of the caller: reading or writing another
  // course's files in its place would lose data silently.
  if (course < 0 || course >= kCourseCount)
    throw std::logic_error("course index out of range: " + std::to_string(course));
  return kKeibajo[course];
}

int courseFromText(const std::string& text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (int i = 0; i < kCourseCount; ++i)
    if (lower == kKeibajo[i].folder) return i;
  return -1;
}

std::string kinryoText(int v) {
  char buf[16];
  if (v > 99)
    std::snprintf(buf, sizeof buf, "%d.%d", v / 10, v % 10);
  else
    std::snprintf(buf, sizeof buf, "%d", v);
  return buf;
}

}  // namespace tovra
