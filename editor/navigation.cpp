#include "creatordialog.h"

void CreatorDialog::OnLoadConfig() {}
void CreatorDialog::OnNextClass() {}
void CreatorDialog::OnPrevClass() {}
void CreatorDialog::OnFirstClass() {}
void CreatorDialog::OnLastClass() {}
void CreatorDialog::OnAddClass() {}
void CreatorDialog::syncScrollBar() {}
