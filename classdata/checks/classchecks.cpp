#include "classchecks.h"

#include "classdata/format/classfilescanner.h"
#include "classdata/text/asciitext.h"

namespace tolvane {

namespace {

constexpr const ClassField &health = fieldNamed("health");
constexpr const ClassField &classname = fieldNamed("classname");

std::size_t indexOf(const ClassField &field)
{
    return std::size_t(&field - classFields().data());
}

} // namespace

int ClassLines::lineOf(const ClassField &field) const
{
    const int line = fields[indexOf(field)];
    return line > 0 ? line : open;
}

int ClassLines::lineOfItem(int slot) const
{
    const int line = items[std::size_t(slot)];
    return line > 0 ? line : open;
}

std::vector<ClassLines> classLinesOf(std::string_view bytes)
{
    std::vector<ClassLines> classes;
    ClassFileScanner scanner(bytes);
    while (scanner.next()) {
        if (scanner.role() == LineRole::Open) {
            classes.push_back({.open = scanner.line().number});
        } else if (scanner.role() == LineRole::Inside && !classes.empty()) {
            const KeyLine line = readKeyLine(scanner.line().read);
            if (line.kind == KeyLineKind::Field)
                classes.back().fields[indexOf(*line.field)] = scanner.line().number;
            else if (line.kind == KeyLineKind::Item)
                classes.back().items[std::size_t(line.slot)] = scanner.line().number;
        }
    }
    return classes;
}

void checkClasses(std::span<const ClassRecord> classes, ReadObserver &observer, std::span<const ClassLines> lines)
{
    const auto lineOf = [&](std::size_t i, const ClassField &field) {
        return i < lines.size() ? lines[i].lineOf(field) : 0;
    };
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const ClassRecord &record = classes[i];
        const int block = int(i);
        if (record.health > record.max_health)
            observer.found({.kind = ReadFindingKind::HealthAboveMaximum,
                            .line = lineOf(i, health),
                            .key = health.key,
                            .value = double(record.health),
                            .high = double(record.max_health),
                            .block = block});
        for (std::size_t earlier = 0; earlier < i; ++earlier) {
            if (equalsIgnoreCase(classes[earlier].classname.view(), record.classname.view())) {
                observer.found({.kind = ReadFindingKind::RepeatedName,
                                .line = lineOf(i, classname),
                                .key = classname.key,
                                .text = record.classname.view(),
                                .stored = double(earlier),
                                .earlierLine = lineOf(earlier, classname),
                                .block = block});
                break;
            }
        }
    }
}

} // namespace tolvane
