#include "wheelguard.h"

#include <QComboBox>
#include <QEvent>

namespace {

class WheelGuard : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
            return false;
        // Ignored, so that the wheel goes on to the window behind the list.
        event->ignore();
        return true;
    }
};

} // namespace

void ignoreWheelWithoutFocus(QComboBox *list)
{
    // The wheel alone must not give it the focus either.
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(new WheelGuard(list));
}
