#pragma once

#include "classrecord.h"

#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// The class file that replaces oldBytes when the editor writes records: the
// modder's file with only what the records change.
//
// Every line stays as it is, with its own line end, except these:
// - a key line whose value the reader takes differently from the record's
//   (the later one of a repeated key) is rewritten in the fixed layout's
//   format; a value the reader reads differently from its text (speed 10.5,
//   read as 1.0) thus stays while the record keeps what it was read as;
// - a key the block lacks and the record needs is added after the line of
//   the nearest key before it, in the fixed layout's order, that stays; or
//   before the block's first key line when there is none; with the file's
//   line end;
// - the lines of an inventory item whose amount became 0, and of a
//   resistance that has no word, go;
// - a "// NAME" comment right before a block's "{" follows a new name.
//
// The file is seen as a header, one part per block and a trailer. A block's
// part is its "{" line, its lines up to the "}" line, the line after it
// (which the reader passes over), and the lines before its "{": for the first
// block those from the last blank line on (without one, the line right
// before it), for the others all those after the previous block's part.
// The header is what comes before the first block's part; the trailer what
// follows the last block's (text, and blocks after the 64th, which are not
// read).
//
// origins[i] names the block of oldBytes that record i comes from, or -1 for
// a new class; empty means record i comes from block i. A block named twice
// goes with the first record naming it. The header comes first, then a part
// per record in the order of the records: the named block's part, or a new
// class in the fixed layout; then the whole trailer. Blocks no record names
// are left out. A block that ended at the end of the file gets a "}" line
// and a blank line when something follows it. Blocks after the 64th stay
// too: with fewer than 64 records before them, the game reads some of them
// as classes, which the caller finds by reading the result back.
//
// Empty oldBytes give the fixed layout with a header. A file without blocks,
// which the reader reads as the default class, gets its classes added as new.
std::string updatedClassFile(std::string_view oldBytes, std::span<const ClassRecord> records,
                             std::span<const int> origins = {});
// The same for a caller that has read oldBytes already: oldClasses holds
// what readClassBytes reads from them.
std::string updatedClassFile(std::string_view oldBytes, const ClassTable &oldClasses,
                             std::span<const ClassRecord> records, std::span<const int> origins = {});

// bytes with every value the reader takes written in the fixed layout's
// format (a lower-case key, "%f" floats, the catalogue's spelling of an item,
// the value the game reads for one it would not) and every line a class
// needs added, as Write Out adds them; comments, blank lines, unknown keys
// and lines, the order of lines, the header and the line ends stay. Text
// after a number and a blank, which the game passes over, stays after the
// rewritten number ("health 100 // was 90"); inventory lines of amount 0 go.
// The result reads as bytes do (but for a CR at the end of a text, which goes
// as in normalizedClassFile), and normalizing it again changes nothing.
std::string normalizedKeepingNotes(std::string_view bytes);

} // namespace tolvane
