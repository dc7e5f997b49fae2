#include "creatordialog.h"

#include "classfields.h"
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

// Values the class file reader would replace get a warning tint and a tooltip
// naming the replacement; nothing is refused or changed.
void CreatorDialog::watchValueRanges()
{
    auto watch = [this](int id, std::string_view key, bool isFloat) {
        auto *box = control<QLineEdit>(id);
        if (!box || !box->isEnabled())
            return;
        connect(box, &QLineEdit::textChanged, this,
                [box, key, isFloat](const QString &text) { showHint(box, rangeHint(key, text, isFloat)); });
    };
    for (const IntField &f : intFields)
        watch(f.id, f.key, false);
    for (const FloatField &f : floatFields)
        watch(f.id, f.key, true);
}
