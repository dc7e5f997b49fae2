#include "testclasses.h"

#include "classdata/format/classfields.h"
#include "classdata/text/textnumbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

using namespace tolvane;

std::string fileBytes(const std::string &path)
{
    std::ifstream file(utf8Path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::filesystem::path utf8Path(std::string_view utf8)
{
    return std::u8string(utf8.begin(), utf8.end());
}

std::string sample(std::string_view name)
{
    return fileBytes(TOLVANE_EXAMPLES "/" + std::string(name));
}

std::span<const ClassRecord> classesOf(const ClassTable &table)
{
    return {table.records.data(), std::size_t(table.classCount)};
}

std::string withCrlf(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? "\r\n" : std::string(1, c);
    return out;
}

std::vector<std::string> oddFiles()
{
    using namespace std::literals;
    return {
        sample("tvclass_seals.cfg"),
        withCrlf(sample("tvclass_tangos.cfg")),
        fileBytes(TOLVANE_TEST_DATA "/default_class.cfg"),
        "// mine\n{\n// a note\nSPEED 10.5\nhealth 5 \nfoo bar\nspeed 2\nhealth\n}\n{ ignored\n{\nclassname b",
        "{\r\nclassname a\r\n}\n\n{\nkeys x\r\r\n}\r",
        "\n\n{\nclassname a\0junk\ninventory weapon_knife 2\ninventory WEAPON_KNIFE 3 more\n}"s,
        "{\nclassname a\n{\nclassname b\n}\n// end\n",
        blocks(70),
        withCrlf("// Our classes\n\n// Sch\xFCtze\n{\n// quick\nclassname Sch\xFCtze \xA9\nspeed 1.5 // was 1.2\n"
                 "keys a,b \"q\"\ninventory ammo_cells -3\n}\n\n{\nclassname =1+1\nunderwaterair 0.1\n}\n// end\n"),
        "{\nclassname odd\nspeed -inf\njump 0x2\nunderwaterair nan\nclassabilities inf\n}\n\n"
        "{\nclassname fine\nunderwaterair -1e999\nspeed 3.1415926\njump 0.0000001\n}\n",
    };
}

std::filesystem::path scratchFolder(const std::string &name)
{
    const std::filesystem::path folder = utf8Path(
        testing::TempDir() + testing::UnitTest::GetInstance()->current_test_info()->name() + " \xC3\xA4 " + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void setEnvironment(const char *name, const std::string &value)
{
#ifdef _WIN32
    _wputenv_s(utf8Path(name).c_str(), utf8Path(value).c_str());
#else
    if (value.empty())
        unsetenv(name);
    else
        setenv(name, value.c_str(), 1);
#endif
}

std::string inBlock(const std::string &lines)
{
    return "{\n" + lines + "\n}\n";
}

std::string blocks(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += inBlock("classname c" + std::to_string(i)) + '\n';
    return text;
}

std::unique_ptr<ClassTable> readTable(std::string_view bytes, ReadObserver *observer)
{
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes, observer);
    return table;
}

void fillRandomTable(ClassTable &table, std::mt19937 &random)
{
    auto number = [&](std::int64_t low, std::int64_t high) {
        return std::int32_t(std::uniform_int_distribution<std::int64_t>(low, high)(random));
    };
    auto decimal = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
    auto text = [&](int longest) {
        std::string s(std::size_t(number(0, longest)), ' ');
        for (char &c : s)
            c = char(number(0, 3) == 0 ? number(0x80, 0xFF) : number(' ', '~'));
        return s;
    };
    constexpr auto intMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto intMax = std::numeric_limits<std::int32_t>::max();
    table.classCount = number(1, tableSlotCount);
    for (std::int32_t i = 0; i < table.classCount; ++i) {
        ClassRecord &r = table.records[std::size_t(i)];
        for (const ClassField &f : classFields()) {
            const KeyRange range = f.range.value_or(KeyRange{-1e6, 1e6, 0});
            switch (f.kind) {
            case FieldKind::Text:
                f.text.set(r, text(int(std::min<std::size_t>(f.text.capacity, 80))));
                break;
            case FieldKind::Float:
                r.*f.floatMember = decimal(float(range.low), float(range.high));
                break;
            case FieldKind::Int:
            case FieldKind::Abilities:
                r.*f.intMember = f.range ? number(std::int64_t(range.low), std::int64_t(range.high))
                                         : number(intMin, intMax);
                break;
            case FieldKind::Resistance:
                r.*f.floatMember = float(number(0, 2));
                break;
            }
        }
        // The first class carries every item; the others some, some negative.
        for (std::int32_t &amount : r.inventory)
            amount = (i == 0 || number(0, 2) == 0) ? number(intMin, intMax) : 0;
    }
}

void mutate(std::string &bytes, std::mt19937 &random)
{
    constexpr char telling[] = {'{', '}', '\n', '\r', '\0', ' ', '/', '9', '-', '.', 'e'};
    auto pick = [&](std::size_t high) { return std::uniform_int_distribution<std::size_t>(0, high)(random); };
    for (std::size_t edits = 1 + pick(7); edits > 0 && !bytes.empty(); --edits) {
        const std::size_t at = pick(bytes.size() - 1);
        const char byte = pick(1) ? telling[pick(std::size(telling) - 1)] : char(pick(255));
        switch (pick(2)) {
        case 0:
            bytes[at] = byte;
            break;
        case 1:
            bytes.insert(at, 1, byte);
            break;
        default:
            bytes.erase(at, 1 + pick(40));
            break;
        }
    }
}

namespace {

std::string floatsOf(const ClassRecord &r)
{
    return formatFloat(r.underwaterair) + ' ' + formatFloat(r.speed) + ' ' + formatFloat(r.resistance) + ' '
           + formatFloat(r.jump);
}

ClassRecord withoutFloats(ClassRecord r)
{
    r.underwaterair = r.speed = r.resistance = r.jump = 0;
    return r;
}

} // namespace

void expectSameClasses(const ClassTable &expected, const ClassTable &actual)
{
    ASSERT_EQ(expected.classCount, actual.classCount);
    for (std::size_t i = 0; i < std::size_t(expected.classCount); ++i) {
        EXPECT_EQ(floatsOf(expected.records[i]), floatsOf(actual.records[i])) << "class " << i;
        EXPECT_TRUE(withoutFloats(expected.records[i]) == withoutFloats(actual.records[i])) << "class " << i;
    }
}

void fuzzFromSeeds(const std::vector<std::string> &seeds, unsigned seed, int seconds, const std::string &keptAs,
                   int (*target)(const std::uint8_t *, std::size_t))
{
    std::mt19937 random(seed);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::size_t inputs = 0;
    for (; inputs < seeds.size() || std::chrono::steady_clock::now() < end; ++inputs) {
        std::string input = seeds[inputs % seeds.size()];
        if (inputs >= seeds.size())
            mutate(input, random);
        std::ofstream(testing::TempDir() + keptAs, std::ios::binary | std::ios::trunc) << input;
        target(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
    }
    testing::Test::RecordProperty("inputs", int(inputs));
}
