#include "creatordialog.h"

void CreatorDialog::OnSelchangeItemList() {}
void CreatorDialog::OnAddItem() {}
void CreatorDialog::OnSelchangeStartingWeapon() {}
void CreatorDialog::OnShowInventory() {}
