#pragma once

#include <QDialog>

// The about box: the credits picture and the authors' requests, in a frame
// without a caption bar, centred over the window that owns it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *owner);

protected:
    void paintEvent(QPaintEvent *event) override;
};
