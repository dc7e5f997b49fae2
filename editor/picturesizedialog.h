#pragma once

#include <QDialog>

class QSpinBox;

// Asks the size of a picture to save, in pixels: width and height.
class PictureSizeDialog : public QDialog
{
    Q_OBJECT

public:
    PictureSizeDialog(const QString &title, QSize size, QWidget *owner);

    QSize pictureSize() const;

    // The sizes a picture can have.
    static constexpr int smallest = 100;
    static constexpr int largest = 10000;

private:
    QSpinBox *width;
    QSpinBox *height;
};
