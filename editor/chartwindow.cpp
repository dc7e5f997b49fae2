#include "chartwindow.h"

#include "accessibility.h"
#include "barchartview.h"
#include "dialogunits.h"
#include "picturesizedialog.h"

#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace tolvane;

namespace {

QString teamText(tolvane::Team team)
{
    const std::string_view name = tolvane::teamName(team);
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

} // namespace

ChartWindow::ChartWindow(QWidget *parent)
    : QWidget(parent), values(new QComboBox(this)), note(new QLabel(this)), bars(new BarChartView(this)),
      table(new QTableWidget(0, 3, this))
{
    setWindowTitle(tr("Chart"));
    speakListEntries(values);
    setFocusProxy(values);
    auto *valueLabel = new QLabel(tr("Value s&hown:"), this);
    valueLabel->setBuddy(values);
    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(valueLabel);
    valueRow->addWidget(values);
    valueRow->addStretch(1);
    note->setWordWrap(true);
    note->hide();

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(bars);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    table->setObjectName(QStringLiteral("chartValues"));
    table->setAccessibleName(tr("Values of the chart"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    letTabLeave(table);
    table->verticalHeader()->hide();
    speakCurrentEntryOnFocus(table);
    auto *split = new QSplitter(this);
    split->addWidget(scroll);
    split->addWidget(table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    // The buttons without Alt letters: each of their letters leads to the
    // form or a menu of the window already.
    QPushButton *png = buttons->addButton(tr("Save as PNG..."), QDialogButtonBox::ActionRole);
    connect(png, &QPushButton::clicked, this, [this] { savePicture(Picture::Png); });
#ifdef TOLVANE_SVG
    QPushButton *svg = buttons->addButton(tr("Save as SVG..."), QDialogButtonBox::ActionRole);
    connect(svg, &QPushButton::clicked, this, [this] { savePicture(Picture::Svg); });
#endif
    connect(buttons, &QDialogButtonBox::rejected, this, &ChartWindow::closeRequested);
    // Enter presses the button with the focus, as in the program's dialogs.
    for (QAbstractButton *button : buttons->buttons())
        static_cast<QPushButton *>(button)->setAutoDefault(true);
    connect(values, &QComboBox::currentIndexChanged, this, &ChartWindow::refresh);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(valueRow);
    layout->addWidget(note);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
}

QSize ChartWindow::sizeHint() const
{
    return {int(letterWidth(fontMetrics()) * 60), fontMetrics().height() * 16};
}

void ChartWindow::showChart(const CompareView::ChartView &shown)
{
    chart = shown;
    {
        const QSignalBlocker quiet(values);
        values->clear();
        for (std::size_t i = 0; i < chart.values.size(); ++i) {
            values->addItem(QString::fromStdString(chart.values[i]));
            if (i < chart.keys.size())
                values->setItemData(int(i), QString::fromStdString(chart.keys[i]), Qt::ToolTipRole);
        }
        values->setCurrentIndex(chart.chosen);
    }
    refresh();
}

void ChartWindow::refresh()
{
    if (!chart.chart || values->currentIndex() < 0)
        return;
    const tolvane::BarChart drawn = chart.chart(values->currentIndex());
    bars->setChart(drawn);
    note->setText(QString::fromStdString(drawn.note));
    note->setVisible(!drawn.note.empty());

    table->setHorizontalHeaderLabels({tr("Class"), tr("Team"), values->currentText()});
    table->setRowCount(int(drawn.bars.size()));
    for (int row = 0; row < int(drawn.bars.size()); ++row) {
        const tolvane::ChartBar &bar = drawn.bars[std::size_t(row)];
        const QString cells[] = {QString::fromStdString(bar.label), teamText(bar.team),
                                 QString::fromStdString(bar.text)};
        for (int column = 0; column < 3; ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
        table->item(row, 2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    keepColumnsInView(table);
    if (!table->currentIndex().isValid() && table->rowCount() > 0)
        table->setCurrentCell(0, 0);
}

// The size is asked first, at the size shown at first, then the size last chosen.
void ChartWindow::savePicture(Picture picture)
{
    const bool svg = picture == Picture::Svg;
    if (pictureSize.isEmpty())
        pictureSize = bars->size().boundedTo(QSize(PictureSizeDialog::largest, PictureSizeDialog::largest));
    PictureSizeDialog size(svg ? tr("Save Chart as SVG") : tr("Save Chart as PNG"), pictureSize, this);
    if (size.exec() != QDialog::Accepted)
        return;
    pictureSize = size.pictureSize();
    QByteArray bytes;
    if (svg) {
        bytes = bars->svg(pictureSize);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        bars->picture(pictureSize).save(&buffer, "PNG");
    }
    chart.save(bytes.toStdString(), values->currentIndex(), picture);
}
