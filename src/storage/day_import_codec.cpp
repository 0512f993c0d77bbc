#include "storage/day_import_codec.hpp"

#include <charconv>
#include <cstdint>

namespace tovra {
namespace {

constexpr std::string_view kVersion = "i1";
// No day holds more than this of anything; a count above it is not one this program wrote.
constexpr std::int64_t kMaxCount = 1'000'000;

class Writer {
 public:
  void number(std::int64_t n) {
    if (!out_.empty()) out_ += ' ';
    out_ += std::to_string(n);
  }
  void numbers(const std::vector<int>& v) {
    number(static_cast<std::int64_t>(v.size()));
    for (int n : v) number(n);
  }
  void text(std::string_view s) {
    number(static_cast<std::int64_t>(s.size()));
    out_ += ':';
    out_ += s;
  }
  void word(std::string_view w) {
    if (!out_.empty()) out_ += ' ';
    out_ += w;
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

class Reader {
 public:
  explicit Reader(std::string_view s) : s_(s) {}
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ == s_.size(); }

  std::int64_t number(std::int64_t lo = INT32_MIN, std::int64_t hi = INT32_MAX) {
    if (!ok_) return 0;
    if (pos_ > 0) {
      if (pos_ >= s_.size() || s_[pos_] != ' ') return fail();
      ++pos_;
    }
    std::int64_t n = 0;
    const char* b = s_.data() + pos_;
    const char* e = s_.data() + s_.size();
    const auto [next, ec] = std::from_chars(b, e, n);
    if (ec != std::errc() || next == b || n < lo || n > hi) return fail();
    pos_ += static_cast<std::size_t>(next - b);
    return n;
  }
  int small(int lo, int hi) { return static_cast<int>(number(lo, hi)); }
  std::vector<int> numbers(int lo, int hi) {
    std::vector<int> v;
    const auto n = number(0, 100);
    for (std::int64_t i = 0; ok_ && i < n; ++i) v.push_back(small(lo, hi));
    return v;
  }
  std::string text() {
    const auto n = number(0, 4096);
    if (!ok_ || pos_ >= s_.size() || s_[pos_] != ':' || s_.size() - pos_ - 1 < static_cast<std::size_t>(n)) {
      fail();
      return {};
    }
    std::string t(s_.substr(pos_ + 1, static_cast<std::size_t>(n)));
    pos_ += 1 + static_cast<std::size_t>(n);
    return t;
  }
  bool word(std::string_view w) {
    if (!ok_ || s_.substr(pos_, w.size()) != w) return fail(), false;
    pos_ += w.size();
    return true;
  }

 private:
  std::int64_t fail() {
    ok_ = false;
    return 0;
  }
  std::string_view s_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

std::string encodeDayImport(const DayImport& im) {
  Writer w;
  w.word(kVersion);
  w.number(im.date.year);
  w.number(im.date.course);
  w.number(im.date.month);
  w.number(im.date.day);
  w.number(static_cast<std::int64_t>(im.races.size()));
  for (const ImportedRace& r : im.races) {
    w.number(r.race);
    w.number(static_cast<std::int64_t>(r.lines.size()));
    for (const StoredLine& l : r.lines) {
      w.number(l.type);
      w.number(l.method);
      for (const auto& set : l.sets) w.numbers(set);
      w.number(l.multi ? 1 : 0);
      w.number(l.places[0]);
      w.number(l.places[1]);
      w.number(l.stake);
      w.number(l.points);
    }
    w.number(r.results ? 1 : 0);
    w.number(static_cast<std::int64_t>(r.winners.size()));
    for (const StoredWinner& x : r.winners) {
      w.number(x.type);
      for (int h : x.combo) w.number(h);
      w.number(x.payout);
    }
    for (const auto& s : r.special) {
      w.number(s ? 1 : 0);
      w.number(s.value_or(0));
    }
    w.numbers(r.scratched);
    w.numbers(r.refundedFrames);
  }
  w.number(static_cast<std::int64_t>(im.receipts.size()));
  for (const std::string& t : im.receipts) w.text(t);
  return w.take();
}

std::optional<DayImport> decodeDayImport(std::string_view text) {
  Reader r(text);
  DayImport im;
  if (!r.word(kVersion)) return std::nullopt;
  im.date.year = r.small(0, 9999);
  im.date.course = r.small(0, 9);
  im.date.month = r.small(1, 12);
  im.date.day = r.small(1, 31);
  const auto races = r.number(0, 12);
  for (std::int64_t i = 0; r.ok() && i < races; ++i) {
    ImportedRace race;
    race.race = r.small(1, 12);
    const auto lines = r.number(0, kMaxCount);
    for (std::int64_t j = 0; r.ok() && j < lines; ++j) {
      StoredLine l;
      l.type = r.small(0, 2);
      l.method = r.small(0, 3);
      for (auto& set : l.sets) set = r.numbers(0, 99);
      l.multi = r.small(0, 1) != 0;
      l.places = {r.small(0, 3), r.small(0, 3)};
      l.stake = r.small(0, INT32_MAX);
      l.points = r.small(0, INT32_MAX);
      race.lines.push_back(std::move(l));
    }
    race.results = r.small(0, 1) != 0;
    const auto winners = r.number(0, kMaxCount);
    for (std::int64_t j = 0; r.ok() && j < winners; ++j) {
      StoredWinner x;
      x.type = r.small(0, 2);
      for (int& h : x.combo) h = r.small(0, 99);
      x.payout = r.number(0, INT64_MAX);
      race.winners.push_back(x);
    }
    for (auto& s : race.special) {
      const bool has = r.small(0, 1) != 0;
      const auto v = r.number(0, INT64_MAX);
      if (has)
        s = v;
      else if (v != 0)
        r.number(1, 0);  // not a text this program writes
    }
    race.scratched = r.numbers(0, 99);
    race.refundedFrames = r.numbers(0, 99);
    im.races.push_back(std::move(race));
  }
  const auto receipts = r.number(0, kMaxCount);
  for (std::int64_t i = 0; r.ok() && i < receipts; ++i) im.receipts.push_back(r.text());
  if (!r.ok() || !r.atEnd()) return std::nullopt;
  return im;
}

}  // namespace tovra
