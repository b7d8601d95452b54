// The game selection: how a game shown as name, " - ", number is split back into its
// name and its number. The split is made at the first "-", so a name that holds a dash
// cannot be split back whole; a text without a dash before it has no name.
#pragma once

#include <QString>

namespace mSelect {
// The text before the blank that precedes the first "-"; empty when the text has no "-"
// or starts with one.
QString GetNamePart(const QString &text);
// The text after the first "-" and the blank that follows it; empty when the text has no "-".
QString GetNumberPart(const QString &text);
} // namespace mSelect
