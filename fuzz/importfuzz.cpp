#include "asanoptions.h"
#include "classdata/sheets/classexport.h"
#include "classdata/format/classfilereader.h"
#include "classdata/sheets/classimport.h"
#include "safetext.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace tolvane;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The classes the sheets change, with names a seed corpus can reach.
const ClassTable &classes()
{
    static const auto table = [] {
        auto read = std::make_unique<ClassTable>();
        readClassBytes(*read, "{\nclassname Sniper\nspeed 1.5\ninventory ammo_cells 3\n}\n\n{\nclassname Scout\n"
                              "classabilities 2050\nstarting_weapon weapon_mp5\n}\n\n{\nclassname ?\n}\n\n"
                              "{\nclassname \n}\n");
        return read;
    }();
    return *table;
}

bool sameClass(const ClassRecord &a, const ClassRecord &b)
{
    ClassRecord x = a, y = b;
    for (float ClassRecord::*member : {&ClassRecord::speed, &ClassRecord::jump, &ClassRecord::underwaterair}) {
        if (std::bit_cast<std::uint32_t>(x.*member) == std::bit_cast<std::uint32_t>(y.*member))
            x.*member = y.*member = 0;
    }
    return x == y;
}

} // namespace

// Any bytes as a sheet of changes, in the format the first byte picks or
// the one the text shows: the importer never fails; a problem is one line
// of safe UTF-8 and leaves nothing to apply; what it takes keeps the old
// classes in their places, holds 64 at most, and exported again and
// imported onto itself changes nothing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char *>(data) + 1, size - 1);
    ImportOptions options;
    constexpr SheetFormat formats[] = {SheetFormat::Csv, SheetFormat::Tsv, SheetFormat::Json};
    if (data[0] % 4 < 3)
        options.format = formats[data[0] % 4];
    options.addNew = data[0] & 4;
    options.fileName = "game/tvclass_seals.cfg";
    const std::span<const ClassRecord> old(classes().records.data(), std::size_t(classes().classCount));

    const ImportResult result = classesFromSheet(old, text, options);
    for (const ImportProblem &problem : result.problems) {
        require(!problem.message.empty() && isSafeUtf8(problem.message, false));
    }
    if (!result.problems.empty()) {
        require(result.classes.empty() && result.origins.empty() && result.problems.size() <= 100);
        return 0;
    }
    require(result.classes.size() == result.origins.size() && result.classes.size() <= 64);
    for (std::size_t i = 0; i < result.classes.size(); ++i)
        require(result.origins[i] == (i < old.size() ? int(i) : -1));

    const SheetFormat format = formats[data[0] % 3];
    const ImportResult again = classesFromSheet(result.classes, classesAsSheet(result.classes, format));
    require(again.problems.empty() && again.classes.size() == result.classes.size());
    for (std::size_t i = 0; i < again.classes.size(); ++i)
        require(sameClass(again.classes[i], result.classes[i]));
    return 0;
}
