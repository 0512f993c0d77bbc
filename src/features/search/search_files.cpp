#include "features/search/search_files.hpp"

#include <algorithm>
#include <cstring>

#include "domain/bet_types.hpp"
#include "domain/new_bet_settlement.hpp"
#include "storage/bytes.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::search {

using namespace tovra::bytes;

namespace {
namespace off {
inline constexpr std::size_t course = 0, meeting = 4, race = 8, name = 12, yearText = 73, month = 80, day = 84,
                             kai = 88, nichi = 92;
}
}  // namespace

void KekaRecord::encode(std::uint8_t* out) const {
  putI32(out, off::course, course);
  putI32(out, off::meeting, meeting);
  putI32(out, off::race, race);
  putRaw(out, off::name, name, sizeof name);
  putRaw(out, off::yearText, yearText, sizeof yearText);
  putI32(out, off::month, month);
  putI32(out, off::day, day);
  putI32(out, off::kai, kai);
  putI32(out, off::nichi, nichi);
  static_assert(off::nichi + 4 == kSize);
}

void KekaRecord::decode(const std::uint8_t* in) {
  course = getI32(in, off::course);
  meeting = getI32(in, off::meeting);
  race = getI32(in, off::race);
  getRaw(in, off::name, name, sizeof name);
  getRaw(in, off::yearText, yearText, sizeof yearText);
  month = getI32(in, off::month);
  day = getI32(in, off::day);
  kai = getI32(in, off::kai);
  nichi = getI32(in, off::nichi);
}

void HaitouNote::encode(std::uint8_t* out) const {
  putI32(out, 0, slot);
  putI32(out, 4, payout);
}

void HaitouNote::decode(const std::uint8_t* in) {
  slot = getI32(in, 0);
  payout = getI32(in, 4);
}

const char* HaitouNote::betName() const {
  // The slots in the order the payout search walks them: 4 複勝, 2 単勝, 2 枠連, 2 馬連, 6 ﾜｲﾄﾞ.
  int first = 0;
  for (BetType t : kSearchPayoutOrder) {
    const int n = betTypeInfo(t).results;
    if (slot >= first && slot < first + n) return betTypeName(t);
    first += n;
  }
  // After the record's 16 slots: 馬単, 3連複, 3連単 from the bet store.
  for (int t = 0; t < kNewBetTypeCount; ++t)
    if (slot == first + t) return newBetTypeName(static_cast<NewBetType>(t));
  return "";
}

void KekaText::encode(std::uint8_t* out) const {
  std::memset(out, 0, kSize);
  const std::string t = cutCp932(title, kPart - 1), s = cutCp932(summary, kPart - 1);
  std::memcpy(out, t.data(), t.size());
  std::memcpy(out + kPart, s.data(), s.size());
}

void KekaText::decode(const std::uint8_t* in) {
  title = fixedText(reinterpret_cast<const char*>(in), kPart);
  summary = fixedText(reinterpret_cast<const char*>(in + kPart), kPart);
}

History History::fromBytes(const std::vector<std::uint8_t>& data) {
  History h;
  std::copy_n(data.begin(), std::min(data.size(), kSize), h.bytes.begin());
  return h;
}

std::vector<std::string> History::texts() const {
  std::vector<std::string> out;
  for (int i = 0; i < kEntries; ++i) {
    std::string t = fixedText(reinterpret_cast<const char*>(bytes.data() + i * kEntrySize), kEntrySize);
    if (t.empty()) break;
    out.push_back(std::move(t));
  }
  return out;
}

void History::push(const std::string& cp932) {
  std::copy_backward(bytes.begin(), bytes.end() - kEntrySize, bytes.end());
  std::fill_n(bytes.begin(), kEntrySize, 0);
  const std::string t = cutCp932(cp932, kEntrySize - 1);
  std::copy(t.begin(), t.end(), bytes.begin());
}

const char* historyFile(bool raceName) { return raceName ? kRaceHistoryFile : kBameiHistoryFile; }

History readHistory(DataStore& ds, bool raceName) {
  std::vector<std::uint8_t> data;
  if (!readWholeFile(ds.fs(), ds.resolve(historyFile(raceName)), data)) data.clear();
  return History::fromBytes(data);
}

void reportWriteFailure(UserPort& port, const std::string& logical) {
  showError(port, "検索結果を作業ﾌｧｲﾙに書き込めませんでした。\n\n" + logical);
}

bool writeHistory(DataStore& ds, UserPort& port, bool raceName, const History& h) {
  const auto tmp = ds.resolve(kTmpFolder);
  if (!ds.fs().isDirectory(tmp)) ds.fs().createDirectory(tmp);
  if (writeWholeFile(ds.fs(), ds.resolve(historyFile(raceName)), h.bytes.data(), h.bytes.size())) return true;
  reportWriteFailure(port, historyFile(raceName));
  return false;
}

std::optional<KekaText> readKekaText(DataStore& ds) {
  auto f = ds.fs().open(ds.resolve(kTextFile), OpenMode::Read);
  if (!f) return std::nullopt;
  std::uint8_t buf[KekaText::kSize];
  if (f->read(buf, sizeof buf) != sizeof buf) return std::nullopt;
  KekaText t;
  t.decode(buf);
  return t;
}

std::optional<KekaRecord> readKekaRecord(DataStore& ds, std::size_t index) {
  auto f = ds.fs().open(ds.resolve(kKekaFile), OpenMode::Read);
  if (!f || !f->seek(static_cast<std::uint64_t>(index) * KekaRecord::kSize)) return std::nullopt;
  std::uint8_t buf[KekaRecord::kSize];
  if (f->read(buf, sizeof buf) != sizeof buf) return std::nullopt;
  KekaRecord r;
  r.decode(buf);
  return r;
}

}  // namespace tovra::search
