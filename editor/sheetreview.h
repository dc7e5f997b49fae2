#pragma once

#include "model/sheets/sheetcommands.h"

class QWidget;

// Review Changes of a sheet before Import Classes takes it.
class SheetReview : public tolvane::SheetView
{
public:
    explicit SheetReview(QWidget *window) : window(window) {}

    bool confirmImport(const std::string &sheetName, const std::string &review) override;

private:
    QWidget *window;
};
