// Card-sized pictures painted by our own code: the plain faces used when a deck cannot
// give one, the painted card backs with their names and categories, and the empty-slot
// pictures. Every picture is CardWidth x CardHeight logical pixels at the given ratio.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace artCards {

// A face with rank and suit painted by us: suit 0 clubs, 1 diamonds, 2 spades, 3 hearts;
// rank 0 Ace .. 12 King.
QImage face(int suit, int rank, qreal ratio);
// A white card with nothing on it.
QImage blankCard(qreal ratio);

// Painted backs 1..backCount(); their categories are numbered from 1 in backCategoryNames().
int backCount();
QString backName(int i);
int backCategory(int i);
QStringList backCategoryNames();
QImage back(int i, qreal ratio);
// A plain one-colour back, for an index outside the list.
QImage plainBack(qreal ratio);

// Empty-slot picture n (0..16), the plain empty slot for any other n.
QImage slot(int n, qreal ratio);

} // namespace artCards
