// The settings store. (Placeholder: values kept in memory only.)
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

class Context;

class cRegistry {
public:
    explicit cRegistry(Context &ctx);
    QHash<QString, QVariant> values;

private:
    Context &ctx_;
};
