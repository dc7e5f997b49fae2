#pragma once

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

// What Write Out would change, class by class; on request, the differences
// of the file itself as a unified diff.
class ReviewDialog : public QDialog
{
    Q_OBJECT

public:
    // fileDiff is asked only when the user wants the file's differences;
    // without one the dialog shows the review alone.
    ReviewDialog(const QString &review, std::function<QString()> fileDiff, QWidget *owner);

private slots:
    void switchView();

private:
    QString review;
    std::function<QString()> fileDiff;
    QPlainTextEdit *text;
    QPushButton *switchButton;
    bool showingDiff = false;
};
