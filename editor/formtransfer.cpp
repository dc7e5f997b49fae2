#include "creatordialog.h"

void CreatorDialog::ShowRecord() {}
void CreatorDialog::StoreForm() {}
void CreatorDialog::OnCalculate() {}
