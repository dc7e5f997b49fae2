#include "barchartview.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace tolvane;

namespace {

struct TeamLook
{
    QColor fill;
    QColor edge;
    Qt::BrushStyle hatch;
};

TeamLook lookOf(tolvane::Team team)
{
    if (team == tolvane::Team::Seals)
        return {QColor(70, 120, 190), QColor(25, 55, 100), Qt::NoBrush};
    return {QColor(240, 170, 90), QColor(130, 65, 0), Qt::BDiagPattern};
}

void fillBar(QPainter &painter, const QRectF &bar, tolvane::Team team)
{
    const TeamLook look = lookOf(team);
    painter.setPen(QPen(look.edge, 1));
    painter.setBrush(look.fill);
    painter.drawRect(bar);
    if (look.hatch != Qt::NoBrush)
        painter.fillRect(bar, QBrush(look.edge, look.hatch));
}

} // namespace

BarChartView::BarChartView(QWidget *parent) : QWidget(parent)
{
    setAccessibleDescription(tr("Bar chart, highest value first; the table beside it lists the same values"));
}

void BarChartView::setChart(const tolvane::BarChart &chart)
{
    shown = chart;
    setAccessibleName(QString::fromStdString(chart.title));
    updateGeometry();
    resize(width(), sizeHint().height());
    update();
}

int BarChartView::rowHeight() const
{
    return fontMetrics().height() + fontMetrics().height() / 3;
}

// Below the title and the legend.
int BarChartView::top() const
{
    return rowHeight() * 3;
}

QSize BarChartView::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 70, top() + rowHeight() * int(shown.bars.size()) + rowHeight() / 2};
}

void BarChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    draw(painter, width(), palette().color(QPalette::WindowText));
}

QImage BarChartView::picture() const
{
    const QSize size(std::max(width(), sizeHint().width()), sizeHint().height());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font());
    draw(painter, size.width(), Qt::black);
    return image;
}

void BarChartView::draw(QPainter &painter, int width, const QColor &text) const
{
    const QFontMetrics metrics = fontMetrics();
    const int row = rowHeight();
    const int margin = metrics.averageCharWidth();
    painter.setRenderHint(QPainter::Antialiasing, false);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(text);
    painter.drawText(QRect(margin, 0, width - 2 * margin, row), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(shown.title));
    painter.setFont(font());

    // The legend: each team's look and its name.
    int x = margin;
    for (tolvane::Team team : {tolvane::Team::Seals, tolvane::Team::Tangos}) {
        const std::string_view teamName = tolvane::teamName(team);
        const QString name = QString::fromLatin1(teamName.data(), qsizetype(teamName.size()));
        fillBar(painter, QRectF(x, row + row / 4, row * 1.5, row / 2), team);
        x += int(row * 1.5) + margin / 2;
        painter.setPen(text);
        painter.drawText(QRect(x, row, metrics.horizontalAdvance(name) + 1, row), Qt::AlignVCenter, name);
        x += metrics.horizontalAdvance(name) + 2 * margin;
    }

    int labelWidth = 0, valueWidth = 0;
    for (const tolvane::ChartBar &bar : shown.bars) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QString::fromStdString(bar.label)));
        valueWidth = std::max(valueWidth, metrics.horizontalAdvance(QString::fromStdString(bar.text)));
    }
    labelWidth = std::min(labelWidth, width / 3);
    const double left = margin + labelWidth + margin;
    const double right = std::max(left + 1, double(width - margin - valueWidth - margin));
    const auto at = [&](double value) {
        return left + (value - shown.low) / (shown.high - shown.low) * (right - left);
    };
    const double zero = at(0);
    painter.setPen(QPen(text, 1));
    painter.drawLine(QPointF(zero, top()), QPointF(zero, top() + row * int(shown.bars.size())));

    int y = top();
    for (const tolvane::ChartBar &bar : shown.bars) {
        painter.setPen(text);
        const QString label = metrics.elidedText(QString::fromStdString(bar.label), Qt::ElideRight, labelWidth);
        painter.drawText(QRect(margin, y, labelWidth, row), Qt::AlignRight | Qt::AlignVCenter, label);
        double end = zero;
        if (std::isfinite(bar.value)) {
            end = at(bar.value);
            const QPointF from(std::min(zero, end), y + row * 0.15), to(std::max(zero, end), y + row * 0.85);
            fillBar(painter, QRectF(from, to), bar.team);
        }
        painter.setPen(text);
        painter.drawText(QRect(int(std::max(zero, end)) + margin / 2, y, valueWidth + margin, row),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(bar.text));
        y += row;
    }
}
