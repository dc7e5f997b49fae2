#pragma once

#include "classrecord.h"

#include <array>
#include <optional>
#include <string_view>

namespace tolvane {

struct ItemInfo
{
    std::string_view internalName;
    std::string_view displayName;
    bool inStartList;
};

// The 44 items a class can carry, in inventory slot order.
extern const std::array<ItemInfo, inventorySlotCount> itemCatalogue;

// The display name of an internal or other known entity name; "Army Knife"
// for anything unknown.
std::string_view displayNameFor(std::string_view internalName);
// The same, but nothing for a name neither table knows.
std::optional<std::string_view> knownDisplayName(std::string_view internalName);

std::optional<int> slotForDisplayName(std::string_view displayName);
std::optional<int> slotForInternalName(std::string_view internalName);

} // namespace tolvane
