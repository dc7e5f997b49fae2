#pragma once

#include <QDialog>

class QListWidget;
class QPlainTextEdit;

// The earlier versions of a class file by the time they were kept, newest
// first, with what restoring the one picked would change.
class VersionDialog : public QDialog
{
    Q_OBJECT

public:
    // times and differences: one entry a version.
    VersionDialog(const QString &fileName, const QStringList &times, const QStringList &differences,
                  QWidget *parent = nullptr);

    // The version picked, -1 when none.
    int chosenVersion() const;

private:
    QListWidget *versions = nullptr;
    QPlainTextEdit *changes = nullptr;
};
