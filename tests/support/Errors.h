// The error number a call raises, 0 when it raises none (and its text, when asked):
// tests compare it with err::*.
#pragma once

#include <functional>

#include "core/AppError.h"

inline int errorOf(const std::function<void()> &call, QString *text = nullptr)
{
    try {
        call();
    } catch (const AppError &e) {
        if (text)
            *text = e.description();
        return e.number();
    }
    return 0;
}
