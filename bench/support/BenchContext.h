// A context for benchmarks over a fresh temporary home: every shared object, the product
// set up as start-up does it, and a message box that answers every question silently.
// Services a benchmark adds (a session, a board surface) belong to a base built before
// this one, so that they outlive the context.
#pragma once

#include <QTemporaryDir>

#include "app/Context.h"
#include "engine/mStudio.h"
#include "platform/ShellFolders.h"
#include "support/SilentBox.h"

struct BenchContext {
    explicit BenchContext(const Services &services = {})
        : folders(FixedShellFolders::underHome(home.path())), ctx(withOwn(services))
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
    }
    BenchContext(const BenchContext &) = delete;
    BenchContext &operator=(const BenchContext &) = delete;

    QTemporaryDir home;
    FixedShellFolders folders;
    SilentBox box;
    Context ctx;

private:
    Services withOwn(Services services)
    {
        services.messages = &box;
        services.shellFolders = &folders;
        return services;
    }
};

// The session a benchmark plays, in a base built before the context that asks it.
template <class Session> struct SessionPart {
    Session session;

    static Services services(SessionPart &part)
    {
        Services s;
        s.session = &part.session;
        return s;
    }
};
