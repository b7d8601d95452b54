// The help of the program on Qt: one help window, made when first asked for, shown on
// the contents page and raised when already open; every help window is closed at exit.
#pragma once

#include <QPointer>

#include "platform/HelpViewer.h"
#include "store/HelpWindow.h"

class QtHelpViewer : public IHelpViewer {
public:
    QtHelpViewer() = default;
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer &) = delete;
    QtHelpViewer &operator=(const QtHelpViewer &) = delete;

    // The help file's name is not needed: the pages are compiled in.
    bool showContents(const QString &helpFile) override;
    void closeAll() override;

    // The open help window; null when none is open.
    HelpWindow *window() const { return window_.data(); }

private:
    QPointer<HelpWindow> window_;
};
