// The one parametric game definition: a name and twelve 16-bit values. It holds the
// definition loaded last; a user loads the one it needs by name before reading it.
// A load overwrites only the values it reads, and a failed load changes nothing.
#pragma once

#include <QPaintDevice>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "engine/GameDefinition.h"

class Context;

class cCustom {
public:
    explicit cCustom(Context &ctx);

    bool Init(const QString &name);
    bool LoadStudioFile(const QString &name);
    void Home(std::int32_t hPiles, std::int32_t hOrder, std::int32_t hSpace, std::int32_t hak, std::int32_t hMulti,
              std::int32_t suits, std::int32_t mOrder);
    void Goal(std::int32_t gOrder, std::int32_t gBase, std::int32_t gCards);
    void Res(std::int32_t rPiles, std::int32_t rCards);
    bool SaveStudioGame(const QString &name, bool mAdd, bool mGameEdit);
    void LoadGameFile(const QString &path);
    QStringList GetStudioGames() const;
    // Paints the three-picture preview of the held definition; the target is not cleared.
    void Update_Pic(QPaintDevice &box) const;

    // The studio file of a game: "name.gam" when it exists, else a file of that name
    // whose extension differs only in letter case, else the "name.gam" to create.
    QString StudioFilePath(const QString &name) const;

    // The whole definition held, as a value, and putting one back.
    const GameDefinition &Definition() const { return def_; }
    void SetDefinition(const GameDefinition &d) { def_ = d; }

    QString GameName() const { return def_.GameName; }
    void setGameName(const QString &v) { def_.GameName = v; }
    std::int16_t GOrder() const { return def_.GOrder; }
    void setGOrder(std::int16_t v) { def_.GOrder = v; }
    std::int16_t GBase() const { return def_.GBase; }
    void setGBase(std::int16_t v) { def_.GBase = v; }
    std::int16_t GCards() const { return def_.GCards; }
    void setGCards(std::int16_t v) { def_.GCards = v; }
    std::int16_t HOrder() const { return def_.HOrder; }
    void setHOrder(std::int16_t v) { def_.HOrder = v; }
    std::int16_t HSpace() const { return def_.HSpace; }
    void setHSpace(std::int16_t v) { def_.HSpace = v; }
    std::int16_t HPiles() const { return def_.HPiles; }
    void setHPiles(std::int16_t v) { def_.HPiles = v; }
    std::int16_t HAK() const { return def_.HAK; }
    void setHAK(std::int16_t v) { def_.HAK = v; }
    std::int16_t HMulti() const { return def_.HMulti; }
    void setHMulti(std::int16_t v) { def_.HMulti = v; }
    std::int16_t RPiles() const { return def_.RPiles; }
    void setRPiles(std::int16_t v) { def_.RPiles = v; }
    std::int16_t RCards() const { return def_.RCards; }
    void setRCards(std::int16_t v) { def_.RCards = v; }
    std::int16_t MOrder() const { return def_.MOrder; }
    void setMOrder(std::int16_t v) { def_.MOrder = v; }
    std::int16_t Suits() const { return def_.Suits; }
    void setSuits(std::int16_t v) { def_.Suits = v; }

private:
    Context &ctx_;
    GameDefinition def_;
};
