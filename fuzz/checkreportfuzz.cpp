#include "asanoptions.h"
#include "checkreport.h"
#include "classdata/format/classfilereader.h"
#include "safetext.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace tolvane;

namespace {

// Whether each line of a JSON report is a bracket or one whole object: a line
// feed inside a message would break a line.
bool isJsonLines(std::string_view out)
{
    for (std::size_t at = 0; at < out.size();) {
        const std::size_t end = out.find('\n', at);
        const std::string_view line = out.substr(at, end - at);
        if (line != "[" && line != "]" && line != "[]"
            && !(line.starts_with(" {\"file\": ") && (line.ends_with("}") || line.ends_with("},"))))
            return false;
        at = end == std::string_view::npos ? out.size() : end + 1;
    }
    return true;
}

// Hears the reader in line order, as check relies on to stream its report.
class LineOrder final : public ReadObserver
{
public:
    explicit LineOrder(ReadObserver &next) : next(next) {}
    void found(const ReadFinding &finding) override
    {
        if (finding.line < last)
            std::abort();
        last = finding.line;
        next.found(finding);
    }

private:
    ReadObserver &next;
    int last = 0;
};

} // namespace

// Any bytes as a class file, and as its name: check's report never carries a
// byte that a terminal or a JSON reader would take as a control, its JSON
// holds one finding a line, and the reader reports in line order.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto table = std::make_unique<ClassTable>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const auto format : {CheckReport::Format::Text, CheckReport::Format::Json}) {
        std::string out;
        CheckReport report(format, [&out](std::string_view text) { out.append(text); });
        report.beginFile(bytes.substr(0, 40), bytes);
        LineOrder ordered(report);
        readClassBytes(*table, bytes, &ordered);
        report.finish();
        if (!isSafeUtf8(out, true))
            std::abort();
        if (format == CheckReport::Format::Json && !isJsonLines(out))
            std::abort();
    }
    return 0;
}
