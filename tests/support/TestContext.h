// A context with every shared object, a scripted message box and a temporary home,
// with the product set up as start-up does.
#pragma once

#include "engine/mStudio.h"
#include "shell/Context.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempHome.h"

struct TestContext {
    TestContext() : ctx(services())
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
    }

    Services services()
    {
        Services s;
        s.messages = &box;
        s.shellFolders = &home.folders();
        return s;
    }

    ScriptedMessageBox box;
    TempHome home;
    Context ctx;
};
