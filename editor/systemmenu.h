#pragma once

class CreatorDialog;

// Appends a separator and "&About Tolvane Class Creator ©" (system command
// 0x0010) to the window's system menu and routes the system commands of the
// window to the editing session. Only Windows has such a menu; on
// other platforms this does nothing.
void appendAboutToSystemMenu(CreatorDialog *dialog);
