#pragma once

#include "classfilereader.h"

#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// What a finding of the class file reader is called wherever it is shown
// (tolvane-classfile check, the editor's problem list): a stable code for
// scripts and CI, how grave it is, and a line on what it means.
struct FindingCode
{
    ReadFindingKind kind;
    std::string_view code;     // "TCC003"
    std::string_view severity; // "error": a class or block is lost, or the file is no class file; else "warning"
    std::string_view explanation;
};

// Every code, in code order.
std::span<const FindingCode> findingCodes();
const FindingCode &codeOf(ReadFindingKind kind);
// The code named code ("TCC003", any case), or nullptr.
const FindingCode *findingCodeNamed(std::string_view code);

// What a message calls the value of a key: the key itself, as the file has
// it, or a name for people ("Class Speed" for speed).
using KeyNaming = std::string (*)(std::string_view key);

// The message for one finding, without file, line and code, as UTF-8 in which
// no byte of the file can act as a terminal control. The values it is about
// are named by their keys, or by naming where given: "speed 10.5 is outside
// 0 to 10; read as 1.000000", "Class Speed 10.5 is outside ...".
std::string describe(const ReadFinding &finding, KeyNaming naming = nullptr);

} // namespace tolvane
