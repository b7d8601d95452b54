#include "studio/QtRulesWindow.h"

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
    auto *window = new frmRules(*ctx_);
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
