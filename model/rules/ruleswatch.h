#pragma once

#include "rulesfile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tolvane {

// The rules file of a game folder as the editor follows it: read again
// whenever its size or time on disk changes.
class RulesWatch
{
public:
    // Reads the rules file at path when it is another file, or changed,
    // appeared or went since the last call; true when the rules changed.
    bool follow(const std::filesystem::path &path);
    // The rules read; empty when there is no file. A file that cannot be
    // read has no rules, and says why (errors, or unreadable).
    const RuleSet &rules() const { return set; }
    // Why the file could not be read at all (its system's reason); empty
    // when it was read, or when there is none.
    const std::string &unreadable() const { return readError; }

private:
    struct Stamp
    {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time{};
        bool operator==(const Stamp &) const = default;
    };

    std::filesystem::path watched;
    std::optional<Stamp> stamp;
    RuleSet set;
    std::string readError;
};

} // namespace tolvane
