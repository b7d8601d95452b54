// The SVG card decks found in one folder (one sub-folder per deck, sorted by name) and
// the rendering of their elements. A deck's file is parsed only when one of its elements
// is first asked for; a deck that fails to parse is remembered and never parsed again.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <map>
#include <memory>
#include <set>

class QSvgRenderer;

class ArtDecks {
public:
    struct Deck {
        QString folder; // sub-folder name, e.g. "svg-standard"
        QString name;   // display name from its index.desktop, else the folder name
        QString file;   // full path of its SVG file
    };

    explicit ArtDecks(const QString &decksFolder);
    ~ArtDecks();
    ArtDecks(const ArtDecks &) = delete;
    ArtDecks &operator=(const ArtDecks &) = delete;

    int count() const { return static_cast<int>(decks_.size()); }
    // deck 0..count-1
    const Deck &deck(int index) const { return decks_[index]; }
    // The deck of that folder name (case ignored), or -1.
    int indexOf(const QString &folder) const;

    // The element drawn into a transparent picture of width x height logical pixels at the
    // ratio: its aspect is kept (centred) unless it is within a few percent of the picture's,
    // and a landscape element is turned upright. A null image when the deck or element is
    // missing or the deck cannot be read.
    QImage render(int index, const QString &elementId, int width, int height, qreal ratio);

    // Parses the deck if not yet done; false when it is missing or cannot be read.
    bool readable(int index) { return renderer(index) != nullptr; }

    // Releases every parsed deck except keep (-1 releases all).
    void release(int keep);
    bool isLoaded(int index) const { return renderers_.count(index) != 0; }

private:
    QSvgRenderer *renderer(int index);

    QList<Deck> decks_;
    std::map<int, std::unique_ptr<QSvgRenderer>> renderers_;
    std::set<int> unreadable_;
};
