#include "store/QtHelpViewer.h"

#include "store/HelpWindow.h"

QtHelpViewer::~QtHelpViewer()
{
    closeAll();
}

bool QtHelpViewer::showContents(const QString &)
{
    if (!window_)
        window_ = new HelpWindow;
    window_->showContents();
    window_->show();
    window_->raise();
    window_->activateWindow();
    return true;
}

void QtHelpViewer::closeAll()
{
    // A window the user closed is only hidden, and shown again by the next Contents.
    delete window_.data();
}
