#pragma once

#include "classrecord.h"
#include "fileio.h"

#include <filesystem>
#include <string_view>

// "tvclass_seals.cfg" when sealsActive is nonzero, else "tvclass_tangos.cfg".
std::string_view ClassFileName(std::int32_t sealsActive);

// Refills the table from slot 0 with the classes in bytes and sets
// classCount (1 to 64: no class at all gives the default class). Lenient: it
// never rejects input.
void ReadClassFile(ClassTable &table, std::string_view bytes);

// Reads the active team's class file in folder into the table. A missing file
// reads as an empty one; an unreadable file leaves the table as it was and
// reports Unreadable with the reason.
FileBytes ReadClassFile(ClassTable &table, const std::filesystem::path &folder, std::int32_t sealsActive);
