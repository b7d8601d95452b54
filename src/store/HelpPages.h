// The program's help: its own HTML pages, compiled in as resources, and one page per
// built-in game made from the game's definition in the built-in table, so a game's page
// always says what the game does. Pages are named like files ("index.html") and link to
// each other by those names.
#pragma once

#include <QString>
#include <QStringList>

namespace HelpPages {
// The contents page.
inline constexpr const char *kContents = "index.html";
// Every page of the help, the contents first.
QStringList PageNames();
// The page of the name; "" when there is no such page.
QString Page(const QString &name);
// The name of the page of the built-in game with that id (1..12).
QString GamePageName(int id);
// The page of the built-in game with that id.
QString GamePage(int id);
// The targets of every link of a page, as written.
QStringList Links(const QString &html);
} // namespace HelpPages
