#include "systemmenu.h"

#include "creatordialog.h"

#ifdef Q_OS_WIN

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

using namespace tolvane;

namespace {

constexpr UINT aboutCommand = 0x0010;

// Lives as long as the dialog, as its child, and leaves the application's
// filters when destroyed.
class SysCommandFilter : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit SysCommandFilter(CreatorDialog *dialog) : QObject(dialog), dialog(dialog) {}

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_SYSCOMMAND || msg->hwnd != reinterpret_cast<HWND>(dialog->winId()))
            return false;
        if (!opensAboutBox(unsigned(msg->wParam)))
            return false;
        dialog->about();
        *result = 0;
        return true;
    }

private:
    CreatorDialog *dialog;
};

} // namespace

void appendAboutToSystemMenu(CreatorDialog *dialog)
{
    HMENU systemMenu = GetSystemMenu(reinterpret_cast<HWND>(dialog->winId()), FALSE);
    if (!systemMenu)
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, aboutCommand, L"&About Tolvane Class Creator \u00A9");
    QCoreApplication::instance()->installNativeEventFilter(new SysCommandFilter(dialog));
}

#else

void appendAboutToSystemMenu(CreatorDialog *) {}

#endif
