#include "comparewindows.h"

#include "baselinedialog.h"
#include "chartwindow.h"
#include "comparepane.h"
#include "creatordialog.h"
#include "focusreturn.h"
#include "panedock.h"

namespace {

// The pane dock of a pane of kind Content, made the first time it is asked for;
// the pane's own close request closes its dock.
template <typename Content>
PaneDock *paneOf(PaneDock *&dock, CreatorDialog &window, const QString &title, const char *name)
{
    const auto make = [](QWidget *parent) {
        auto *content = new Content(parent);
        QObject::connect(content, &Content::closeRequested, parent, &QWidget::close);
        return content;
    };
    if (!dock)
        dock = window.addPane(new PaneDock(title, name, make, &window));
    return dock;
}

} // namespace

PaneDock *CompareWindows::chartPane()
{
    return paneOf<ChartWindow>(chartDock, window, QObject::tr("Chart"), CreatorDialog::chartPane);
}

PaneDock *CompareWindows::comparePane()
{
    return paneOf<ComparePane>(compareDock, window, QObject::tr("Compare Two Classes"), CreatorDialog::comparePane);
}

void CompareWindows::showTwoClasses(const TwoClasses &classes)
{
    auto *compare = static_cast<ComparePane *>(comparePane()->content());
    returnFocusOnClose(compareDock);
    compare->showClasses(classes);
    window.showPane(compareDock);
    compare->setFocus(Qt::OtherFocusReason);
}

void CompareWindows::showBaseline(const BaselineView &baseline)
{
    const FocusReturn back;
    BaselineDialog differences(baseline, ownerWhereTheUserIs(&window));
    differences.exec();
}

void CompareWindows::showChart(const ChartView &chart)
{
    auto *chartWindow = static_cast<ChartWindow *>(chartPane()->content());
    returnFocusOnClose(chartDock);
    chartWindow->showChart(chart);
    window.showPane(chartDock);
    chartWindow->setFocus(Qt::OtherFocusReason);
}

void CompareWindows::refreshPanes()
{
    if (ChartWindow *chartWindow = chart(); chartWindow && chartDock->isVisible())
        chartWindow->refresh();
    if (ComparePane *compare = twoClasses(); compare && compareDock->isVisible())
        compare->refresh();
}

ChartWindow *CompareWindows::chart() const
{
    return chartDock ? static_cast<ChartWindow *>(chartDock->madeContent()) : nullptr;
}

ComparePane *CompareWindows::twoClasses() const
{
    return compareDock ? static_cast<ComparePane *>(compareDock->madeContent()) : nullptr;
}
