#include "classfilescanner.h"

#include "classdata/text/asciitext.h"
#include "classfields.h"
#include "itemcatalogue.h"

#include <cstring>

namespace tolvane {

ClassFileScanner::ClassFileScanner(std::string_view bytes)
    : bytes(bytes), mayHoldNul(!bytes.empty() && std::memchr(bytes.data(), 0, bytes.size()))
{
}

bool ClassFileScanner::anyLineAheadBeginsWith(char c) const
{
    const std::string_view rest = bytes.substr(at);
    const char ahead[] = {'\n', c};
    return rest.starts_with(c) || rest.find(std::string_view(ahead, 2)) != std::string_view::npos;
}

std::optional<std::size_t> KeyLine::setting() const
{
    if (kind == KeyLineKind::Field)
        return std::size_t(field - classFieldTable);
    if (kind == KeyLineKind::Item)
        return std::size(classFieldTable) + std::size_t(slot);
    return std::nullopt;
}

} // namespace tolvane
