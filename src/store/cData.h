// The product data: names, version and code, saved-game extensions, the help file,
// the session start time and the table of games (built-in first, studio games after)
// with their ids. It also names every folder and fixed file of the program, creating
// each folder level by level whenever its getter runs. The three game arrays always
// share the bounds 1..n.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

#include "engine/GameDefinition.h"

class Context;

class cData {
public:
    explicit cData(Context &ctx);

    void InitCD(const QString &cProdName, const QString &cVersion, std::int16_t cStdGames, const QString &cHelpFile,
                const QString &cExt);

    QString ProdName() const { return prodName_; }
    QString ProdNameX() const { return prodNameX_; }
    std::int32_t GameCode() const;
    QString Version() const { return version_; }
    std::int16_t TotalGames() const { return totalGames_; }
    std::int16_t StdGames() const { return stdGames_; }
    QString Ext() const { return ext_; }
    QString IncExt() const { return QStringLiteral(".") + ext_ + QStringLiteral("0"); }
    QString FinExt() const { return QStringLiteral(".") + ext_ + QStringLiteral("1"); }

    // Folders: created when missing, level by level, on every call.
    QString AppDir() const;
    QString FavFolder() const;
    QString GamesFolder() const;
    QString SchemeFolder() const;
    QString PendingFolder() const;
    QString MyGamesFolder() const;
    QString SavedFolder() const;
    QString AutoSaveFolder() const;
    QString ProgramFolder() const;

    // Files: named only, except the default custom image, written when missing.
    QString DefaultSchemeFile() const;
    void CreateDefaultSchemeFile() const;
    QString DefaultCustImageFile() const;
    QString UnFinFile() const;
    // Removes what writes killed midway left in the folders the program writes into: the
    // settings folder, the score logs' folder, the application data and the saved games.
    void RemoveLeftoverWrites() const;

    void SetGame(std::int16_t Gid, const QString &gName, bool IsOriginal, std::int16_t cDeck);
    bool GameExists(const QString &name) const;
    QString GetGName(std::int16_t Gid) const;
    bool IsOriginal(const QString &name) const;
    QString GetDeck(const QString &name) const;
    std::int16_t GetGameID(const QString &gName) const;

    QString HelpFile() const { return helpFile_; }
    QString SesStartTime() const { return sesStartTime_; }
    void setSesStartTime(const QString &value) { sesStartTime_ = value; }

    // Shows the rules of the named game (iModal 1: blocks until closed), one window at a time.
    void ShowRules(const QString &gName, std::int16_t iModal);
    // The same for a definition held as a value, such as the one a board was dealt from.
    void ShowRules(const GameDefinition &definition, std::int16_t iModal);
    void ShowContents();

    void Refresh_NewGames();

private:
    // Creates the folder of the path when it is missing; raises the path error when it cannot.
    static QString ensureFolder(const QString &path);
    // A shell folder as the base of the program's data; raises a named error when the
    // shell cannot say where it is, so nothing is ever created below the working folder.
    QString baseFolder(const QString &folder, const QString &what) const;
    void resizeGames(int n);

    Context &ctx_;
    QString prodName_, prodNameX_, version_, helpFile_, ext_, sesStartTime_;
    std::int16_t stdGames_ = 0;
    std::int16_t totalGames_ = 0;
    // Index 0 is unused so that ids index the arrays directly.
    QVector<QString> names_;
    QVector<bool> original_;
    QVector<QString> decks_;
};
