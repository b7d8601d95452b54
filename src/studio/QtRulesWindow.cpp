#include "studio/QtRulesWindow.h"

#include <QApplication>
#include <QEventLoop>

#include "studio/frmRules.h"

QtRulesWindow::~QtRulesWindow()
{
    delete window_.data();
}

frmRules *QtRulesWindow::window() const
{
    return window_.data();
}

bool QtRulesWindow::isOpen() const
{
    return window_ && window_->isVisible();
}

void QtRulesWindow::close()
{
    if (window_)
        window_->close();
    // A window that never showed does not delete itself on close.
    delete window_.data();
}

void QtRulesWindow::open(bool modal, const std::function<void()> &shown)
{
    if (!ctx_)
        return;
    close();
    // A modal window stays over the dialog that opened it; any other over the main window,
    // so a click on the table does not bury it.
    QWidget *modalOwner = modal ? QApplication::activeModalWidget() : nullptr;
    auto *window = new frmRules(*ctx_, modalOwner ? modalOwner : owner_.data());
    window_ = window;
    if (modal)
        window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
    shown();
    if (!modal || !window_)
        return;
    QEventLoop loop;
    QObject::connect(window, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
}
