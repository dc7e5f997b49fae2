#include "creatordialog.h"

#include "baselinedialog.h"
#include "chartwindow.h"
#include "comparedialog.h"
#include "nativepath.h"
#include "placelabel.h"

#include <QFileDialog>

using namespace tolvane;

void CreatorDialog::showPlace(const std::string &text)
{
    placeLabel->setPlace(QString::fromStdString(text));
}

std::optional<std::filesystem::path> CreatorDialog::chooseFile(const FileChoice &choice)
{
    const QString title = QString::fromStdString(choice.title), start = displayPath(choice.start),
                  types = QString::fromStdString(choice.types);
    const QString chosen = choice.saving ? QFileDialog::getSaveFileName(this, title, start, types)
                                         : QFileDialog::getOpenFileName(this, title, start, types);
    if (chosen.isEmpty())
        return std::nullopt;
    return pathFromQt(chosen);
}

void CreatorDialog::showTwoClasses(const TwoClasses &classes)
{
    CompareDialog compare(classes, this);
    compare.exec();
}

void CreatorDialog::showBaseline(const BaselineView &baseline)
{
    BaselineDialog differences(baseline, this);
    differences.exec();
}

// The chart opens beside the editor and stays open while the user works.
void CreatorDialog::showChart(const ChartView &chart)
{
    if (!chartWindow)
        chartWindow = new ChartWindow(this);
    chartWindow->showChart(chart);
    chartWindow->show();
    chartWindow->raise();
    chartWindow->activateWindow();
}
