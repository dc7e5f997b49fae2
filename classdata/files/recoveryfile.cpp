#include "recoveryfile.h"

#include "classdata/text/bytehash.h"
#include "classdata/format/classfields.h"
#include "userdata.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>

namespace tolvane {

namespace {

constexpr std::string_view magic = "Tolvane Class Creator recovery file 1\n";

// Lines of a keyword and values: numbers in decimal, floats as the
// hexadecimal digits of their bits, texts as "LENGTH:BYTES".
class Encoder
{
public:
    void line(std::string_view keyword)
    {
        if (!out.empty())
            out += '\n';
        out += keyword;
    }
    void number(long long value) { out.append(1, ' ').append(std::to_string(value)); }
    void bits(float value)
    {
        char digits[8];
        const std::uint32_t word = std::bit_cast<std::uint32_t>(value);
        for (int i = 0; i < 8; ++i)
            digits[i] = "0123456789abcdef"[(word >> (28 - 4 * i)) & 0xF];
        out.append(1, ' ').append(digits, 8);
    }
    void text(std::string_view bytes)
    {
        out.append(1, ' ').append(std::to_string(bytes.size())).append(1, ':').append(bytes);
    }
    void record(const ClassRecord &record);
    std::string take() { return std::move(out.append(1, '\n')); }

private:
    std::string out;
};

void Encoder::record(const ClassRecord &record)
{
    line("class");
    for (const ClassField &field : classFields()) {
        switch (field.kind) {
        case FieldKind::Int:
        case FieldKind::Abilities:
            number(record.*field.intMember);
            break;
        case FieldKind::Float:
        case FieldKind::Resistance:
            bits(record.*field.floatMember);
            break;
        case FieldKind::Text:
            text(field.text.get(record));
            break;
        }
    }
    for (const std::int32_t amount : record.inventory)
        number(amount);
}

// Reads what Encoder wrote; the first thing that does not fit fails the
// whole read.
class Decoder
{
public:
    explicit Decoder(std::string_view bytes) : in(bytes) {}

    void line(std::string_view keyword)
    {
        if (!first)
            literal("\n");
        first = false;
        literal(keyword);
    }
    long long number(long long low, long long high)
    {
        literal(" ");
        long long value = 0;
        const auto [end, error] = std::from_chars(in.data() + at, in.data() + in.size(), value);
        if (error != std::errc() || value < low || value > high)
            ok = false;
        at = ok ? std::size_t(end - in.data()) : in.size();
        return value;
    }
    float bits()
    {
        literal(" ");
        std::uint32_t word = 0;
        const auto [end, error] = std::from_chars(in.data() + at, in.data() + std::min(in.size(), at + 8), word, 16);
        ok = ok && error == std::errc() && end == in.data() + at + 8;
        at = ok ? at + 8 : in.size();
        return std::bit_cast<float>(word);
    }
    std::string_view text(std::size_t longest)
    {
        const std::size_t size = std::size_t(number(0, (long long)longest));
        literal(":");
        if (!ok || in.size() - at < size) {
            ok = false;
            return {};
        }
        at += size;
        return in.substr(at - size, size);
    }
    void record(ClassRecord &record);
    // Whether everything was read, and nothing is left.
    bool done() { return ok && at + 1 == in.size() && in.back() == '\n'; }

private:
    void literal(std::string_view text)
    {
        ok = ok && in.substr(at).starts_with(text);
        at = ok ? at + text.size() : in.size();
    }

    std::string_view in;
    std::size_t at = 0;
    bool first = true;
    bool ok = true;
};

void Decoder::record(ClassRecord &record)
{
    line("class");
    for (const ClassField &field : classFields()) {
        switch (field.kind) {
        case FieldKind::Int:
        case FieldKind::Abilities:
            record.*field.intMember = std::int32_t(number(INT32_MIN, INT32_MAX));
            break;
        case FieldKind::Float:
        case FieldKind::Resistance:
            record.*field.floatMember = bits();
            break;
        case FieldKind::Text:
            field.text.set(record, text(field.text.capacity));
            break;
        }
    }
    for (std::int32_t &amount : record.inventory)
        amount = std::int32_t(number(INT32_MIN, INT32_MAX));
}

// The table's slots a recovery keeps: every class, and the slot the form edits.
int slotsKept(const EditorState &state)
{
    return std::clamp(std::max({state.table.classCount, state.lastIndex + 1, state.currentIndex + 1}), 0,
                      tableSlotCount);
}

std::string payload(const SessionRecovery &recovery)
{
    const EditorState &state = recovery.state;
    Encoder out;
    out.line("folder");
    out.text(pathBytes(recovery.gameFolder));
    out.line("position");
    for (const std::int32_t value :
         {state.sealsActive, state.table.classCount, state.firstIndex, state.currentIndex, state.lastIndex})
        out.number(value);
    out.record(recovery.form);
    out.line("slots");
    out.number(slotsKept(state));
    for (int slot = 0; slot < slotsKept(state); ++slot)
        out.record(state.table.records[std::size_t(slot)]);
    out.line("loaded");
    out.number(recovery.loadedFile.has_value());
    out.text(recovery.loadedFile.value_or(""));
    out.number((long long)recovery.loadedClasses.size());
    for (const ClassRecord &record : recovery.loadedClasses)
        out.record(record);
    out.line("origins");
    out.number((long long)recovery.origins.size());
    for (const int origin : recovery.origins)
        out.number(origin);
    return out.take();
}

std::string hex16(std::uint64_t value)
{
    std::string digits(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        digits[std::size_t(i)] = "0123456789abcdef"[value & 0xF];
    return digits;
}

} // namespace

std::string recoveryFileBytes(const SessionRecovery &recovery)
{
    const std::string body = payload(recovery);
    return std::string(magic) + "length " + std::to_string(body.size()) + "\nchecksum " + hex16(byteHash(body)) + '\n'
           + body;
}

std::optional<SessionRecovery> readRecoveryFile(std::string_view bytes)
{
    // The header: what follows must be exactly as long, and hash the same.
    if (!bytes.starts_with(magic))
        return std::nullopt;
    bytes.remove_prefix(magic.size());
    const std::size_t lengthEnd = bytes.find('\n');
    if (!bytes.starts_with("length ") || lengthEnd == std::string_view::npos)
        return std::nullopt;
    std::size_t length = 0;
    const char *lengthText = bytes.data() + 7;
    if (std::from_chars(lengthText, bytes.data() + lengthEnd, length).ptr != bytes.data() + lengthEnd)
        return std::nullopt;
    bytes.remove_prefix(lengthEnd + 1);
    const std::string_view checksum = bytes.substr(0, 26);
    bytes.remove_prefix(checksum.size());
    if (checksum.size() != 26 || bytes.size() != length || checksum != "checksum " + hex16(byteHash(bytes)) + '\n')
        return std::nullopt;

    SessionRecovery recovery;
    EditorState &state = recovery.state;
    Decoder in(bytes);
    in.line("folder");
    recovery.gameFolder = pathFromBytes(in.text(bytes.size()));
    in.line("position");
    state.sealsActive = std::int32_t(in.number(0, 1));
    state.table.classCount = std::int32_t(in.number(0, tableSlotCount));
    for (std::int32_t *index : {&state.firstIndex, &state.currentIndex, &state.lastIndex})
        *index = std::int32_t(in.number(0, tableSlotCount - 1));
    in.record(recovery.form);
    in.line("slots");
    const long long slots = in.number(slotsKept(state), slotsKept(state));
    for (long long slot = 0; slot < slots; ++slot)
        in.record(state.table.records[std::size_t(slot)]);
    in.line("loaded");
    const bool hadFile = in.number(0, 1);
    const std::string_view file = in.text(bytes.size());
    if (hadFile)
        recovery.loadedFile = std::string(file);
    recovery.loadedClasses.resize(std::size_t(in.number(0, tableSlotCount)));
    for (ClassRecord &record : recovery.loadedClasses)
        in.record(record);
    in.line("origins");
    recovery.origins.resize(std::size_t(in.number(0, tableSlotCount)));
    for (int &origin : recovery.origins)
        origin = int(in.number(-1, (long long)recovery.loadedClasses.size() - 1));
    if (!in.done() || !recovery.gameFolder.is_absolute())
        return std::nullopt;
    return recovery;
}

} // namespace tolvane
