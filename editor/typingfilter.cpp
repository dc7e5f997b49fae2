#include "typingfilter.h"

#include "model/session/boxtyping.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

TypingFilter::TypingFilter(ControlKind kind, QLineEdit *edit) : QObject(edit), kind(kind), edit(edit) {}

bool TypingFilter::eventFilter(QObject *, QEvent *event)
{
    QString typed;
    if (event->type() == QEvent::KeyPress)
        typed = static_cast<QKeyEvent *>(event)->text();
    else if (event->type() == QEvent::InputMethod)
        typed = static_cast<QInputMethodEvent *>(event)->commitString();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    return kind == ControlKind::DigitsBox ? !tolvane::digitsBoxTakes(typed.toStdString()) : !fits(typed);
}

// A number box does not scroll: it takes what still fits into its width.
bool TypingFilter::fits(const QString &typed) const
{
    QString after = edit->text();
    const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    after.remove(at, edit->selectedText().size());
    after.insert(at, typed);

    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).marginsRemoved(edit->textMargins());
    const int lineMargins = 2 * 2 + 1; // the line edit's own margins and the cursor
    return edit->fontMetrics().horizontalAdvance(after) <= contents.width() - lineMargins;
}
