// Entry-point guards. An error never escapes into Qt's event loop: every action,
// handler, tick and close event runs its body through runGuarded, which reports the
// error in a message box titled with the product name. ignoreErrors is for the steps
// whose failure is ordinary.
#pragma once

#include <functional>

#include "platform/MessageBox.h"

// Runs the body; an error is shown to the user. Returns false when an error occurred.
bool runGuarded(IMessageBox &box, const std::function<void()> &body);
// Runs the body and swallows any error. Returns false when an error occurred.
bool ignoreErrors(const std::function<void()> &body);
