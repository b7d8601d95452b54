// The small pictures of the game-selection dialog and the studio: the three previews of a
// definition (free cells, foundations, tableau), the blank pictures that stand in for them,
// and the two size-button pictures. Any argument value draws; out-of-range values are clamped.
#pragma once

#include "platform/ArtLibrary.h"

#include <QImage>

namespace artPreviews {

constexpr int SubWidth = ArtLibrary::PreviewWidth; // free-cell and foundation previews
constexpr int SubHeight = ArtLibrary::PreviewHeight;
constexpr int TableauWidth = ArtLibrary::TableauWidth;
constexpr int TableauHeight = ArtLibrary::TableauHeight;
constexpr int ButtonSize = ArtLibrary::ButtonSize;
static_assert(ArtLibrary::BlankWidth == TableauWidth && ArtLibrary::BlankHeight == SubHeight + TableauHeight);

QImage res(int freeCells, int freeCellCards, qreal ratio);
QImage goal(int baseRank, int startCards, qreal ratio);
QImage tableau(int piles, int suitCode, qreal ratio);
// The whole preview area (free cells and foundations above the tableau), empty.
QImage blank(qreal ratio);
QImage blankSub(qreal ratio);
QImage maxButton(qreal ratio);
QImage minButton(qreal ratio);

} // namespace artPreviews
