// The help seam: shows the contents page of the program's help and closes every
// help window at exit. Until the help window exists, NullHelpViewer shows nothing.
#pragma once

#include <QString>

class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    // Opens the contents of the named help file; the result is ignored by callers.
    virtual bool showContents(const QString &helpFile) = 0;
    virtual void closeAll() = 0;
};

class NullHelpViewer : public IHelpViewer {
public:
    bool showContents(const QString &) override { return false; }
    void closeAll() override {}
};
