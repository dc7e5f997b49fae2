#include "sheetreview.h"

#include "reviewdialog.h"

bool SheetReview::confirmImport(const std::string &sheetName, const std::string &review)
{
    ReviewDialog changes(QString::fromStdString(review), {}, window);
    changes.offerImport(QString::fromStdString(sheetName));
    return changes.exec() == QDialog::Accepted;
}
