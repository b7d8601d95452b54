// The board's pictures as the board model sees them: six picture arrays (cards,
// tableau, foundation and free-cell slots, stock, waste) addressed by array and index,
// placed in twips. Member 0 of every array always exists; other members are loaded and
// unloaded, and an unloaded member keeps its identity so it can be loaded again.
#pragma once

#include <cstdint>
#include <optional>

// The picture arrays of the board window.
enum class PicArray : std::uint8_t {
    Card,  // PicCD: one picture per card id
    Home,  // PicHome: tableau slots
    Right, // PicRight: foundation slots
    Res,   // picRes: free-cell slots
    Stock, // PicStock: the single stock slot
    Waste, // PicWaste: the single waste slot
};

// One picture of the board: an array and an index in it.
struct PicRef {
    PicArray array = PicArray::Card;
    int index = 0;

    friend bool operator==(const PicRef &, const PicRef &) = default;
};

// What a picture shows, as a value; the window turns it into pixels when it paints.
struct CardPicture {
    enum class Kind : std::uint8_t {
        None, // shows nothing
        Face, // card face n, 1..52 (suit x 13 + rank + 1)
        Back, // card back of deck design n
        Slot, // empty-slot picture n, 0..16
    };
    Kind kind = Kind::None;
    int n = 0;

    static CardPicture none() { return {}; }
    static CardPicture face(int n) { return {Kind::Face, n}; }
    static CardPicture back(int n) { return {Kind::Back, n}; }
    static CardPicture slot(int n) { return {Kind::Slot, n}; }

    friend bool operator==(const CardPicture &, const CardPicture &) = default;
};

// Size of a card picture in twips; a freshly loaded picture has this size.
constexpr double CardWidthTwips = 1065.0;
constexpr double CardHeightTwips = 1440.0;

// The surface the board model draws on. Positions are twips; a picture put inside
// another (a rider inside the lifted card) has its left and top relative to its carrier,
// is drawn right after it and only within it. Every call on a member that is not loaded
// raises an error, as does loading a member twice or unloading member 0.
class CardSurface {
public:
    virtual ~CardSurface() = default;

    // A loaded member starts hidden, 1065 x 1440 at (0, 0), showing nothing, on the
    // board (not inside another picture), in front of the pictures of its kind.
    virtual void load(PicRef pic) = 0;
    // Riders of an unloaded member go back onto the board where they are seen.
    virtual void unload(PicRef pic) = 0;
    virtual bool isLoaded(PicRef pic) const = 0;
    // Highest loaded index of the array (0 when only member 0 exists).
    virtual int upperBound(PicArray array) const = 0;

    virtual void setPicture(PicRef pic, CardPicture picture) = 0;
    virtual CardPicture picture(PicRef pic) const = 0;

    virtual void move(PicRef pic, double left, double top) = 0;
    virtual void resize(PicRef pic, double width, double height) = 0;
    virtual double left(PicRef pic) const = 0;
    virtual double top(PicRef pic) const = 0;
    virtual double width(PicRef pic) const = 0;
    virtual double height(PicRef pic) const = 0;

    virtual void setVisible(PicRef pic, bool visible) = 0;
    // The member's own visible flag; a rider is seen only while its carrier is too.
    virtual bool isVisible(PicRef pic) const = 0;

    // Slots always lie below cards; these order a picture among those of its kind,
    // or among the other riders of its carrier.
    virtual void bringToFront(PicRef pic) = 0;
    virtual void sendToBack(PicRef pic) = 0;

    // Puts the rider inside the carrier, on top of its other riders, keeping the place
    // where it is seen (its left and top become relative to the carrier).
    virtual void putInside(PicRef rider, PicRef carrier) = 0;
    // Takes a rider out of its carrier onto the board, in front of its kind, keeping
    // the place where it is seen (its left and top become absolute). No effect on a
    // picture that lies on the board.
    virtual void putOnBoard(PicRef rider) = 0;
    // The carrier of a rider; empty when the picture lies on the board.
    virtual std::optional<PicRef> carrierOf(PicRef pic) const = 0;

    // Lets the window handle pending events other than user input.
    virtual void processEvents() = 0;
    // Shows the state reached by one step of an animation and waits out the given share
    // of a display frame (1 for a move's step; a dealt card's steps share one frame).
    virtual void animationStep(double frames) = 0;
};
