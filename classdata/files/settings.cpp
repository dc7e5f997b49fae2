#include "settings.h"

#include "classdata/text/asciitext.h"
#include "fileio.h"
#include "classdata/format/itemcatalogue.h"
#include "classdata/text/textnumbers.h"

namespace tolvane {

namespace {

constexpr std::string_view sectionHeader = "[TolvaneClassCreator]";
constexpr std::string_view sealsKey = "Seals";
// The longest line the settings reader takes, line feed not counted.
constexpr std::size_t longestLine = 254;

// text without the white space it begins with, as scanf skips it.
std::string_view skipSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return text.substr(i);
}

// The next line of rest without its line end (a CR before the LF included),
// ending at a NUL byte. False where reading stops: at a line with no line
// feed, or one longer than the reader takes.
bool nextLine(std::string_view &rest, std::string_view &line)
{
    const std::size_t lf = rest.find('\n');
    if (lf == std::string_view::npos)
        return false;
    line = rest.substr(0, lf);
    rest.remove_prefix(lf + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    if (line.size() > longestLine)
        return false;
    line = line.substr(0, line.find('\0'));
    return true;
}

// One section line, scanned as "%63s %d": the key "Seals" with a number
// selects the team by it; any other key, or none, selects the Tangos; "Seals"
// without a readable number changes nothing.
void applySectionLine(std::string_view line, std::int32_t &sealsActive)
{
    line = skipSpace(line);
    std::size_t keyEnd = 0;
    while (keyEnd < line.size() && !isSpace(line[keyEnd]))
        ++keyEnd;
    if (!equalsIgnoreCase(line.substr(0, keyEnd), sealsKey)) {
        sealsActive = 0;
        return;
    }
    std::size_t used = 0;
    const std::int32_t number = parseInt(line.substr(keyEnd), &used);
    if (used > 0)
        sealsActive = number != 0 ? 1 : 0;
}

} // namespace

void readSettingsBytes(std::string_view bytes, std::int32_t &sealsActive)
{
    bool inSection = false;
    std::string_view line;
    while (nextLine(bytes, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        if (inSection)
            applySectionLine(line, sealsActive);
        else
            inSection = equalsIgnoreCase(line, sectionHeader);
    }
}

bool readSettings(const std::filesystem::path &folder, std::int32_t &sealsActive)
{
    const FileBytes file = readWholeFile(folder / settingsFileName);
    if (file.status != FileStatus::Read)
        return false;
    readSettingsBytes(file.bytes, sealsActive);
    return true;
}

std::string settingsFileBytes(std::int32_t sealsActive, std::string_view lineEnd)
{
    std::string out(sectionHeader);
    out.append(lineEnd).append(lineEnd).append(sealsKey).append(" ");
    appendInt(out, sealsActive);
    out.append(lineEnd).append(lineEnd).append("### END ###").append(lineEnd);
    return out;
}

} // namespace tolvane
