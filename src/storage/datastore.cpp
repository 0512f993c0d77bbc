#include "storage/datastore.hpp"

#include <cstdlib>

#include "storage/fatal_error.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"

namespace tovra {

DataStore::DataStore(std::filesystem::path root, FileSystem* fs)
    : root_(std::move(root)), fs_(fs ? fs : &FileSystem::standard()) {}

int DataStore::yearNumber() const { return std::atoi(year.c_str()); }

std::filesystem::path DataStore::resolve(const std::string& logical) const { return resolvePath(*fs_, root_, logical); }

void DataStore::fatal(int code, const std::string& path) {
  dead_ = true;
  throw FatalFileError(code, path);
}

void DataStore::checkAlive() {
  if (dead_) throw FatalFileError(0, "");
}

void DataStore::loadYears() {
  checkAlive();
  auto years = ledger().readYears(true);
  if (!years) fatal(years.failure());
  nenji = *years;
}

void DataStore::saveYears() {
  checkAlive();
  if (auto failed = ledger().writeYears(nenji)) fatal(*failed);
}

}  // namespace tovra
