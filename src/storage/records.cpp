#include "storage/records.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "storage/bytes.hpp"

namespace tovra {
using namespace bytes;

namespace {

// The fields of a meeting record, in the order of the file.
template <class Io, class R>
void kaisaiFields(Io io, R& r) {
  namespace o = kaisai_off;
  io(o::tsukiHi, r.tsukiHi);
  io(o::kaiNichi, r.kaiNichi);
  io(o::kounyuGaku, r.kounyuGaku);
  io(o::shushi, r.shushi);
  io(o::raceJoutai, r.raceJoutai);
  io.raw(o::raceMei, r.raceMei);
  static_assert(kaisai_off::raceMei + sizeof r.raceMei == KaisaiRecord::kSize);
}

// The fields of a race record, in the order of the file.
template <class Io, class R>
void raceFields(Io io, R& r) {
  namespace o = race_off;
  io(o::koumoku, r.koumoku);
  io(o::kyori, r.kyori);
  io(o::tanUma, r.tanUma);
  io(o::tanGaku, r.tanGaku);
  io(o::tanGoukei, r.tanGoukei);
  io(o::fukuUma, r.fukuUma);
  io.raw(50, r.pad50);
  io(o::fukuGaku, r.fukuGaku);
  io(o::fukuGoukei, r.fukuGoukei);
  io(o::wakuKumi, r.wakuKumi);
  io(o::wakuGaku, r.wakuGaku);
  io(o::wakuGoukei, r.wakuGoukei);
  io(o::umaKumi, r.umaKumi);
  io(o::umaGaku, r.umaGaku);
  io(o::umaGoukei, r.umaGoukei);
  io(o::wideKumi, r.wideKumi);
  io(o::wideGaku, r.wideGaku);
  io(o::wideGoukei, r.wideGoukei);
  io(o::tanKeka, r.tanKeka);
  io(o::tanHaitou, r.tanHaitou);
  io(o::fukuKeka, r.fukuKeka);
  io(o::fukuHaitou, r.fukuHaitou);
  io(o::wakuKeka, r.wakuKeka);
  io(o::wakuHaitou, r.wakuHaitou);
  io(o::umaKeka, r.umaKeka);
  io(o::umaHaitou, r.umaHaitou);
  io(o::wideKeka, r.wideKeka);
  io(o::wideHaitou, r.wideHaitou);
  io(o::chakuUma, r.chakuUma);
  io.raw(o::chakuBamei, r.chakuBamei);
  io.raw(o::chakuText, r.chakuText);
  io(885, r.pad885);
  io(o::shutsubaWaku, r.shutsubaWaku);
  io.raw(o::shutsubaBamei, r.shutsubaBamei);
  io.raw(o::shutsubaKishu, r.shutsubaKishu);
  io(o::shutsubaKinryo, r.shutsubaKinryo);
  io.raw(o::comento, r.comento);
  static_assert(race_off::comento + sizeof r.comento == RaceRecord::kSize);
}

}  // namespace

void KaisaiRecord::encode(std::uint8_t* out) const { kaisaiFields(FieldWriter(out), *this); }
void KaisaiRecord::decode(const std::uint8_t* in) { kaisaiFields(FieldReader(in), *this); }

bool KaisaiRecord::isBlank() const {
  std::uint8_t buf[kSize];
  encode(buf);
  return std::all_of(buf, buf + kSize, [](std::uint8_t b) { return b == 0; });
}

void RaceRecord::encode(std::uint8_t* out) const { raceFields(FieldWriter(out), *this); }
void RaceRecord::decode(const std::uint8_t* in) { raceFields(FieldReader(in), *this); }

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
