// Shell helpers that reach the user's environment: the names of the table areas, the
// user's shell folders, the remembered folder of the save dialogs and the per-game hot
// flags. Nothing is kept here; every value lives in the shell or in the settings store.
#pragma once

#include <QString>
#include <cstdint>

class Context;

namespace mGen1 {
// Shell folder numbers the program asks for.
constexpr std::int32_t kAppDataFolder = 26;
constexpr std::int32_t kDocumentsFolder = 5;

// 0 "Tableau", 1 "Stock", 2 "Waste", 3 "Foundation", 4 "Reserve"; any other area "".
QString GetAreaName(std::int16_t area);
// A place on the table as the move history names it, counting from 1:
// "Tableau (Pile 1, Card 5)"; an area without a name is named by its number.
QString GetPlaceName(std::int16_t area, std::int16_t pile, std::int16_t pos);

// The path of a shell folder by its number (26 application data, 5 documents); "" for
// any other number or when the shell cannot say where the folder is.
QString GetSpecialFolder(Context &ctx, std::int32_t folder);
QString GetAppDataFolder(Context &ctx);
QString GetDocumentsFolder(Context &ctx);

// The folder the save and export dialogs open in: the remembered one when it still
// exists, else the saved-games folder. Writes nothing, so a remembered folder that
// was deleted stays stored until a dialog remembers a new one.
QString GetSaveInitDir(Context &ctx);
void SetSaveInitDir(Context &ctx, const QString &path);

// 1 marks a hot game; a game never marked is 0.
std::int16_t GetHotFlag(Context &ctx, const QString &gameName);
void SetHotFlag(Context &ctx, const QString &gameName, std::int16_t value);
} // namespace mGen1
