#pragma once

#include "model/session/formvalues.h"

#include <QHash>

#include <functional>

class QObject;
class QWidget;

// The boxes, check boxes and lists of the form, by template id, and what they
// hold. Showing a form changes no box the user is typing in whose text
// already stands for the bytes.
void showFormIn(const QHash<int, QWidget *> &controls, const tolvane::FormValues &form);
tolvane::FormValues formIn(const QHash<int, QWidget *> &controls);
// changed runs when a box, check box or list that the form stores changes.
void watchFormBoxes(const QHash<int, QWidget *> &controls, QObject *context, const std::function<void()> &changed);
