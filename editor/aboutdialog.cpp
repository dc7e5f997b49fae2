#include "aboutdialog.h"

#include "dialogtemplate.h"

#include <QAbstractButton>
#include <QPainter>
#include <qdrawutil.h>

namespace {

// The width of the modal frame drawn around the client area.
constexpr int frameWidth = 3;
constexpr int okButton = 1;

// The version, in a row of its own under the authors' requests; the box
// grows by that row.
constexpr ControlTemplate versionRow[] = {
    {0, ControlKind::Label, "Version " TOLVANE_VERSION, 31, 218, 175, 8},
};
constexpr QSize versionRowSize{0, 10};

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
    createControls(versionRow, units, client);
    const QSize clientSize = units.toPixels(aboutTemplateSize + versionRowSize);
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
