// A message box for benchmarks: answers OK to every question and never shows anything,
// so a measured path that reports or asks runs on without a window.
#pragma once

#include "platform/MessageBox.h"

class SilentBox : public IMessageBox {
protected:
    MsgResult ask(const QString &, MsgButtons, MsgIcon, const QString &) override { return MsgResult::Ok; }
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
};
