// The rules window as the product data opens it: one frmRules at a time, owned by the
// main window so that it stays above it without blocking it, or blocking until closed
// when modal, over the dialog that asked for it. The window is deleted when it closes,
// so a closed window is never reused.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/Seams.h"

class Context;
class frmRules;

class QtRulesWindow : public IRulesWindow {
public:
    QtRulesWindow() = default;
    ~QtRulesWindow() override;
    QtRulesWindow(const QtRulesWindow &) = delete;
    QtRulesWindow &operator=(const QtRulesWindow &) = delete;

    // The context whose gCustom the window shows; set once the context exists.
    void setContext(Context *ctx) { ctx_ = ctx; }
    // The main window, which a window opened without blocking stays above; set once it exists.
    void setOwner(QWidget *owner) { owner_ = owner; }

    bool isOpen() const override;
    void close() override;
    void open(bool modal, const std::function<void()> &shown) override;

    // The window on the screen, null when none is.
    frmRules *window() const;

private:
    Context *ctx_ = nullptr;
    QPointer<QWidget> owner_;
    QPointer<frmRules> window_;
};
