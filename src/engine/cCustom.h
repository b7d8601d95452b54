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
    GameDefinition Definition() const;
    void SetDefinition(const GameDefinition &d);

    QString GameName() const { return gameName_; }
    void setGameName(const QString &v) { gameName_ = v; }
    std::int16_t GOrder() const { return gOrder_; }
    void setGOrder(std::int16_t v) { gOrder_ = v; }
    std::int16_t GBase() const { return gBase_; }
    void setGBase(std::int16_t v) { gBase_ = v; }
    std::int16_t GCards() const { return gCards_; }
    void setGCards(std::int16_t v) { gCards_ = v; }
    std::int16_t HOrder() const { return hOrder_; }
    void setHOrder(std::int16_t v) { hOrder_ = v; }
    std::int16_t HSpace() const { return hSpace_; }
    void setHSpace(std::int16_t v) { hSpace_ = v; }
    std::int16_t HPiles() const { return hPiles_; }
    void setHPiles(std::int16_t v) { hPiles_ = v; }
    std::int16_t HAK() const { return hak_; }
    void setHAK(std::int16_t v) { hak_ = v; }
    std::int16_t HMulti() const { return hMulti_; }
    void setHMulti(std::int16_t v) { hMulti_ = v; }
    std::int16_t RPiles() const { return rPiles_; }
    void setRPiles(std::int16_t v) { rPiles_ = v; }
    std::int16_t RCards() const { return rCards_; }
    void setRCards(std::int16_t v) { rCards_ = v; }
    std::int16_t MOrder() const { return mOrder_; }
    void setMOrder(std::int16_t v) { mOrder_ = v; }
    std::int16_t Suits() const { return suits_; }
    void setSuits(std::int16_t v) { suits_ = v; }

private:
    Context &ctx_;
    QString gameName_;
    std::int16_t gOrder_ = 0, gBase_ = 0, gCards_ = 0;
    std::int16_t hOrder_ = 0, hSpace_ = 0, hPiles_ = 0, hak_ = 0, hMulti_ = 0;
    std::int16_t rPiles_ = 0, rCards_ = 0, mOrder_ = 0, suits_ = 0;
};
