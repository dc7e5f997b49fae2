#include "aboutdialog.h"

#include "dialogtemplate.h"

#include <QAbstractButton>
#include <QPainter>
#include <qdrawutil.h>

namespace {

// The width of the modal frame drawn around the client area.
constexpr int frameWidth = 3;
constexpr int okButton = 1;

} // namespace

AboutDialog::AboutDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    // Not shown, but read out by screen readers.
    setWindowTitle(QStringLiteral("About Tolvane Class Creator \u00A9"));

    auto *client = new QWidget(this);
    client->setFont(dialogFont("MS Sans Serif"));
    const DialogUnits units(client->font());
    const QHash<int, QWidget *> controls = createControls(aboutTemplate(), units, client);
    const QSize clientSize = units.toPixels(aboutTemplateSize);
    client->setGeometry(QRect(QPoint(frameWidth, frameWidth), clientSize));
    setFixedSize(clientSize + QSize(2 * frameWidth, 2 * frameWidth));

    auto *ok = static_cast<QAbstractButton *>(controls.value(okButton));
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

void AboutDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}
