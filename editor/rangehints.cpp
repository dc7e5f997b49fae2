#include "rangehints.h"

#include "creatordialog.h"

#include "classfields.h"
#include "controlids.h"
#include "cp1252.h"
#include "formfields.h"
#include "textnumbers.h"

#include <QLineEdit>

namespace {

// The value a box's text stands for once it has been stored and written:
// integers as typed, floats as the file's six decimals give them back.
double valueAsWritten(const QString &text, bool isFloat)
{
    const std::string bytes = toCp1252(text);
    if (!isFloat)
        return parseInt(bytes);
    return parseDouble(formatFloat(toFloat32(parseDouble(bytes))));
}

// What the game reads instead of the box's value, or an empty text when it
// reads the value as it is.
QString rangeHint(std::string_view key, const QString &text, bool isFloat)
{
    const double value = valueAsWritten(text, isFloat);
    const std::optional<KeyRange> range = RangeOfKey(key);
    if (!range || (value >= range->low && value <= range->high))
        return {};
    const QString fallback = isFloat ? QString::fromStdString(formatFloat(range->fallback))
                                     : QString::number(range->fallback);
    return CreatorDialog::tr("%1 is outside %2 to %3: the game will read %4 instead.")
        .arg(text.trimmed(), QString::number(range->low), QString::number(range->high), fallback);
}

// What is stored instead of the box's text when the number in it ends before
// the text does ("fast", "1,5"), or an empty text when the whole text is read.
QString numberHint(const QString &text, bool isFloat)
{
    const std::string bytes = toCp1252(text);
    std::size_t used = 0;
    const double value = isFloat ? double(toFloat32(parseDouble(bytes, &used))) : parseInt(bytes, &used);
    if (fromCp1252(std::string_view(bytes).substr(used)).trimmed().isEmpty())
        return {};
    const QString stored = isFloat ? QString::fromStdString(formatFloat(value)) : QString::number(std::int32_t(value));
    return used ? CreatorDialog::tr("Only the number at the start is read: %1 is stored.").arg(stored)
                : CreatorDialog::tr("Not a number: %1 is stored.").arg(stored);
}

// Characters that Windows-1252 has no byte for, each once.
QString unwritable(const QString &text)
{
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (character != u"?" && toCp1252(character) == "?" && !found.contains(character))
            found += character;
    }
    return found;
}

// What the class file will hold instead of the text, or an empty text when
// it holds the text as it is. limit: the longest text the field keeps, 0 for
// no limit.
QString textHint(const QString &text, std::size_t limit)
{
    QStringList hints;
    if (const QString characters = unwritable(text); !characters.isEmpty())
        hints << CreatorDialog::tr("The class file cannot hold %1: written as ?.").arg(characters);
    if (const std::string bytes = toCp1252(text); limit && bytes.size() > limit)
        hints << CreatorDialog::tr("Only the first %1 characters are kept: %2")
                     .arg(limit)
                     .arg(fromCp1252(std::string_view(bytes).substr(0, limit)));
    return hints.join(u'\n');
}

QString joined(const QString &first, const QString &second)
{
    return first.isEmpty() || second.isEmpty() ? first + second : first + u'\n' + second;
}

void showHint(QLineEdit *box, const QString &hint)
{
    if (box->toolTip() == hint)
        return;
    box->setToolTip(hint);
    box->setAccessibleDescription(hint);
    QPalette palette;
    if (!hint.isEmpty())
        palette.setColor(QPalette::Base, QColor(255, 224, 160));
    box->setPalette(palette);
}

} // namespace

void watchNumberBox(QLineEdit *box, std::string_view key, bool isFloat)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box, key, isFloat](const QString &text) {
        showHint(box, joined(joined(numberHint(text, isFloat), rangeHint(key, text, isFloat)), textHint(text, 0)));
    });
}

void watchTextBox(QLineEdit *box, std::size_t limit)
{
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [box, limit](const QString &text) { showHint(box, textHint(text, limit)); });
}

void CreatorDialog::watchValueRanges()
{
    auto watch = [this](int id, std::string_view key, bool isFloat) {
        if (auto *box = control<QLineEdit>(id); box && box->isEnabled())
            watchNumberBox(box, key, isFloat);
    };
    for (const IntField &f : intFields)
        watch(f.id, f.key, false);
    for (const FloatField &f : floatFields)
        watch(f.id, f.key, true);
}

void CreatorDialog::watchTextLimits()
{
    watchTextBox(control<QLineEdit>(ControlId::ClassName), decltype(ClassRecord::classname)::capacity);
    watchTextBox(control<QLineEdit>(ControlId::ConfigFile), decltype(ClassRecord::keys)::capacity);
}
