#include "cp1252.h"

#include "classdata/text/windows1252.h"

using namespace tolvane;

QString fromCp1252(std::string_view bytes)
{
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (unsigned char b : bytes)
        *out++ = QChar(char16_t(unicodeOfWindows1252(b)));
    return text;
}

std::string toCp1252(const QString &text)
{
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character that Windows-1252 cannot encode.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes.push_back(windows1252Of(text[i].unicode()).value_or('?'));
    }
    return bytes;
}
