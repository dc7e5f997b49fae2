#pragma once

#include <QDialog>

#include <functional>

class QDialogButtonBox;
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

    // The changes importing sheetName would make, to import or cancel:
    // accepted means import. Cancel is the default.
    void offerImport(const QString &sheetName);

private slots:
    void switchView();

private:
    QString review;
    std::function<QString()> fileDiff;
    QPlainTextEdit *text;
    QDialogButtonBox *buttons;
    QPushButton *switchButton;
    bool showingDiff = false;
};
