// A context with every shared object, a scripted message box and a temporary home,
// with the product set up as start-up does.
#pragma once

#include "engine/mStudio.h"
#include "app/Context.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempHome.h"

struct TestContext {
    TestContext() : TestContext(Services{}) {}

    ScriptedMessageBox box;
    TempHome home;
    Context ctx;

protected:
    // For fixtures with services of their own, which they build before this base so that
    // the services outlive the context; the message box and the home are added here.
    explicit TestContext(Services services) : ctx(withOwn(services))
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
    }

private:
    Services withOwn(Services services)
    {
        services.messages = &box;
        services.shellFolders = &home.folders();
        return services;
    }
};
