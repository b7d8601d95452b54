#include "platform/Guard.h"

#include <QString>
#include <exception>

#include "core/AppError.h"

bool runGuarded(IMessageBox &box, const std::function<void()> &body)
{
    QString text;
    try {
        body();
        return true;
    } catch (const AppError &e) {
        text = e.description();
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = AppError::standardText(0);
    }
    try {
        box.show(text, MsgButtons::Ok, MsgIcon::Critical);
    } catch (...) {
        // Reporting must not fail its caller either.
    }
    return false;
}

bool ignoreErrors(const std::function<void()> &body)
{
    try {
        body();
        return true;
    } catch (...) {
        return false;
    }
}
