#include "writtenvalue.h"

#include "textnumbers.h"

std::optional<std::string> writtenValue(const ClassField &field, const ClassRecord &record)
{
    switch (field.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
        return formatInt(record.*field.intMember);
    case FieldKind::Float:
        return formatFloat(record.*field.floatMember);
    case FieldKind::Resistance: {
        static constexpr const char *words[] = {"none", "fire", "explosive"};
        const float resistance = record.*field.floatMember;
        for (int i = 0; i < 3; ++i) {
            if (resistance == float(i))
                return words[i];
        }
        return std::nullopt;
    }
    case FieldKind::Text: {
        std::string text(field.text.get(record));
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
        return text;
    }
    }
    return std::nullopt;
}
