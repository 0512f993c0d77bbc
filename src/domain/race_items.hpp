#pragma once
// The race items dialog over the race items code (domain/race_items_code.hpp): its seven
// radio groups and the distance box. The dialog lists the classes in its own order, so a
// class code and a dialog position are mapped both ways here.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "domain/race_items_code.hpp"

namespace tovra {

// One radio group of the items dialog, in the order of ItemField.
struct ItemGroup {
  const char* objectName;          // RadioGroup1 .. RadioGroup7
  const char* caption;             // "年齢条件", ...
  std::vector<const char*> items;  // the radio items, UTF-8
};
const std::array<ItemGroup, kItemFields>& raceItemGroups();
const ItemGroup& raceItemGroup(ItemField f);

// Radio positions of the seven groups; -1 = nothing selected.
using ItemPositions = std::array<int, kItemFields>;

// The class list of the dialog is not in code order: position 3 is 1000万下 (13) and
// position 10 is 900万下 (4).
int classCodeForPosition(int position);  // 0 for a position out of range
// Position shown for a stored class code: 4 -> 10, 13 -> 3, any other k -> k - 1
// (so an imported 11, 400万下, shows as 900万下); -1 when the code has no position.
int classPositionForCode(int code);

// Builds the code from dialog positions; a group without selection gives a 0 digit.
std::uint32_t koumokuFromPositions(const ItemPositions& pos);
// Dialog positions for a stored code (-1 where a digit has no item).
ItemPositions positionsFromKoumoku(std::uint32_t code);
// Every one of the seven fields non-zero: the check registering and imports share.
bool koumokuValid(std::uint32_t code);
// The code with its going digit replaced (going 1..4).
std::uint32_t withGoing(std::uint32_t code, int going);

// Preset distances of the distance box.
const std::vector<const char*>& kyoriPresets();
// The distance box's text as a number: its leading decimal digits, 0 when there are none.
// Values beyond what the 16-bit field holds come back as -1.
int kyoriFromText(const std::string& text);

// Labels of the stored items as the race window and the printouts show them
// (age labels: the old variant counts ages one year higher).
std::string koumokuLabel(ItemField f, int digit, bool oldAgeLabels = false);
// " %s    %s    %s    %s    %s    %s %dM %s", or "" when no items are stored.
std::string raceItemsLine(std::uint32_t code, int kyori, bool oldAgeLabels = false);

}  // namespace tovra
