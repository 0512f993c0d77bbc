#pragma once
// What the fuzz targets share: the meeting day every reader is asked for (the day of
// the seed files, so that mutations of them reach the field readers), and a day that
// already holds data, so that what is kept and what is replaced both get exercised.
#include "features/import/fields.hpp"
#include "storage/records.hpp"

namespace tovra::fuzz {

inline const MeetingKey kDay{"2018", 4, 1125, 508};

inline RaceBlock filledDay() {
  RaceBlock races{};
  for (int r = 0; r < kRacesPerDay; r += 2) {
    RaceRecord& x = races[static_cast<std::size_t>(r)];
    x.koumoku = 30951311;
    x.tanUma[0] = 1;
    x.tanGaku[0] = 1000;
    x.umaKumi[0] = 108;
    x.umaGaku[0] = 500;
    x.tanKeka[1] = 3;
    x.wideKeka[5] = 1718;
  }
  return races;
}

}  // namespace tovra::fuzz
