#pragma once

#include "formvalues.h"

#include <string>

namespace tolvane {

// What a part of the editor hears of the editing session, to follow the
// classes: each does nothing unless a part overrides it.
class SessionListener
{
public:
    virtual ~SessionListener() = default;

    // The form and the indicators were just brought up to date, after a
    // command or an edit; form is what the window shows.
    virtual void classesShown(const FormValues &form) { (void)form; }
    // Other classes are in memory: loaded, merged, or a new folder's.
    virtual void classesReplaced() {}
    // Nothing is unsaved any more: the classes were written, loaded or given up.
    virtual void classesSettled() {}
    // The session started in a game folder, usable or not.
    virtual void folderStarted(bool usable) { (void)usable; }
    // What the window's title adds about the form's class, UTF-8
    // (" (hidden by the class table's filter)"); empty for nothing.
    virtual std::string titleNote() const { return {}; }
};

} // namespace tolvane
