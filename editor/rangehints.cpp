#include "rangehints.h"

#include "model/session/formbindings.h"

#include "cp1252.h"
#include "model/session/formbindings.h"
#include "model/review/valuehints.h"

#include <QCoreApplication>
#include <QLineEdit>

using namespace tolvane;

namespace {

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

// Characters the class file cannot hold, written as "?".
QString unwritableHint(const QString &text)
{
    const QString characters = unwritable(text);
    return characters.isEmpty()
               ? QString()
               : QCoreApplication::translate("CreatorDialog", "The class file cannot hold %1: written as ?.")
                     .arg(characters);
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
    const ClassField *field = key.empty() ? nullptr : fieldOfKey(key);
    QObject::connect(box, &QLineEdit::textChanged, box, [box, field, isFloat](const QString &text) {
        const std::string hint = numberHint(field, isFloat, toCp1252(text), text.trimmed().toStdString());
        showHint(box, joined(QString::fromStdString(hint), unwritableHint(text)));
    });
}

void watchTextBox(QLineEdit *box, std::size_t limit)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box, limit](const QString &text) {
        showHint(box, joined(unwritableHint(text), QString::fromStdString(lengthHint(limit, toCp1252(text)))));
    });
}

// Text that is not read as a whole number, values the class file reader
// would replace, and text the class file cannot hold as typed (characters
// outside Windows-1252, a name longer than its field) get a warning tint and
// a tooltip naming what is stored or read instead; nothing is refused or
// changed.
void watchValueRanges(const QHash<int, QWidget *> &controls)
{
    for (const FormBinding &binding : formBindings) {
        auto *box = qobject_cast<QLineEdit *>(controls.value(binding.id));
        if (!box || !box->isEnabled())
            continue;
        if (binding.kind == BoxKind::Text)
            watchTextBox(box, binding.textLimit);
        else
            watchNumberBox(box, binding.key, binding.kind == BoxKind::Float);
    }
}
