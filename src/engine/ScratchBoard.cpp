#include "engine/ScratchBoard.h"

#include "app/Context.h"
#include "app/mGen1.h"
#include "core/AppError.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"

ScratchBoard::ScratchBoard() : ctx_(std::make_unique<Context>(Services{}))
{
    // Only what a deal and a redo reach; the context keeps its own display list.
    ctx_->gGames = std::make_unique<cGames>(*ctx_);
    ctx_->gEngine = std::make_unique<cEngine>(*ctx_);
    ctx_->gCustom = std::make_unique<cCustom>(*ctx_);
    ctx_->gPlay = std::make_unique<cPlay>(*ctx_, true);
}

ScratchBoard::~ScratchBoard() = default;

std::optional<ScratchBoard::Misfit> ScratchBoard::Try(const GameDefinition &definition, const GameNumber &number,
                                                      const QVector<TransRecord> &moves)
{
    cEngine &engine = ctx_->engine();
    try {
        CheckDefinition(definition, QStringLiteral("The game ") + definition.GameName);
        ctx_->custom().SetDefinition(definition);
        mStudio::BuildLayout(*ctx_);
        ctx_->play().Init(number);
    } catch (const AppError &e) {
        return Misfit{0, e.description()};
    }
    const cPlay &play = ctx_->play();
    int redeals = 0;
    QString broken;
    try {
        engine.SetRecords(moves);
        engine.RedoAllChecked([&](const TransRecord &move, const TransRecord &previous) {
            broken = play.RuleBreak(move, previous, redeals);
            if (!broken.isEmpty())
                raiseError(err::BadSavedGame, QStringLiteral("%1 to %2 breaks the rules: %3.")
                                                  .arg(mGen1::GetPlaceName(move.SCell, move.SPile, move.SPos),
                                                       mGen1::GetPlaceName(move.DCell, move.DPile, move.DPos), broken));
        });
    } catch (const AppError &e) {
        // The move that failed is the one after the last one done.
        return Misfit{engine.GetTransID() + 1, e.description(), !broken.isEmpty()};
    }
    return std::nullopt;
}
