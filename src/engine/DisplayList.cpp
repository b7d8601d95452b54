#include "engine/DisplayList.h"

#include <algorithm>
#include <cmath>

#include "core/AppError.h"
#include "core/Numbers.h"

namespace {

// The runtime's errors for misused control arrays.
constexpr int ElementMissing = 340;
constexpr int AlreadyLoaded = 360;
constexpr int CannotUnloadFirst = 362;

std::size_t slot(PicArray array)
{
    return static_cast<std::size_t>(array);
}

bool isSingle(PicArray array)
{
    return array == PicArray::Stock || array == PicArray::Waste;
}

// Half-open: a picture owns its left and top edges, its neighbour the right and bottom.
bool holds(const QRectF &r, double x, double y)
{
    return x >= r.left() && x < r.left() + r.width() && y >= r.top() && y < r.top() + r.height();
}

void eraseRef(std::vector<PicRef> &list, PicRef pic)
{
    list.erase(std::remove(list.begin(), list.end(), pic), list.end());
}

} // namespace

DisplayList::DisplayList()
{
    for (auto &array : arrays_) {
        array.resize(1);
        array[0].loaded = true;
    }
    slotLayer_ = {
        {PicArray::Home, 0}, {PicArray::Right, 0}, {PicArray::Res, 0}, {PicArray::Stock, 0}, {PicArray::Waste, 0}};
    cardLayer_ = {{PicArray::Card, 0}};
}

void DisplayList::checkRef(PicRef pic)
{
    checkIndex(pic.index, 0, isSingle(pic.array) ? 0 : MaxIndex);
}

const DisplayList::Entry *DisplayList::find(PicRef pic) const
{
    const auto &array = arrays_[slot(pic.array)];
    if (pic.index < 0 || static_cast<std::size_t>(pic.index) >= array.size())
        return nullptr;
    return &array[static_cast<std::size_t>(pic.index)];
}

const DisplayList::Entry &DisplayList::entry(PicRef pic) const
{
    checkRef(pic);
    const Entry *e = find(pic);
    if (!e || !e->loaded)
        raiseError(ElementMissing, QStringLiteral("Control array element '%1' doesn't exist").arg(pic.index));
    return *e;
}

DisplayList::Entry &DisplayList::entry(PicRef pic)
{
    return const_cast<Entry &>(std::as_const(*this).entry(pic));
}

std::vector<PicRef> &DisplayList::layerOf(PicArray array)
{
    return array == PicArray::Card ? cardLayer_ : slotLayer_;
}

std::vector<PicRef> &DisplayList::siblingsOf(PicRef pic)
{
    const Entry &e = entry(pic);
    return e.carrier ? entry(*e.carrier).riders : layerOf(pic.array);
}

bool DisplayList::contains(PicRef carrier, PicRef pic) const
{
    for (auto c = entry(pic).carrier; c; c = entry(*c).carrier) {
        if (*c == carrier)
            return true;
    }
    return false;
}

void DisplayList::load(PicRef pic)
{
    checkRef(pic);
    auto &array = arrays_[slot(pic.array)];
    const auto i = static_cast<std::size_t>(pic.index);
    if (i >= array.size())
        array.resize(i + 1);
    if (array[i].loaded)
        raiseError(AlreadyLoaded, QStringLiteral("Object already loaded"));
    array[i] = Entry{};
    array[i].loaded = true;
    layerOf(pic.array).push_back(pic);
}

void DisplayList::unload(PicRef pic)
{
    checkRef(pic);
    if (pic.index == 0)
        raiseError(CannotUnloadFirst, QStringLiteral("Can't unload controls created at design time"));
    const auto before = seenRect(pic);
    const std::vector<PicRef> riders = entry(pic).riders;
    for (PicRef r : riders)
        putOnBoard(r);
    takeOut(pic);
    Entry &e = entry(pic);
    e.loaded = false;
    e.visible = false;
    e.carrier.reset();
    changed(before);
}

bool DisplayList::isLoaded(PicRef pic) const
{
    const Entry *e = find(pic);
    return e && e->loaded;
}

int DisplayList::upperBound(PicArray array) const
{
    const auto &entries = arrays_[slot(array)];
    for (auto i = entries.size(); i-- > 0;) {
        if (entries[i].loaded)
            return static_cast<int>(i);
    }
    return 0;
}

void DisplayList::setPicture(PicRef pic, CardPicture picture)
{
    Entry &e = entry(pic);
    if (e.picture == picture)
        return;
    e.picture = picture;
    changed(seenRect(pic));
}

CardPicture DisplayList::picture(PicRef pic) const
{
    return entry(pic).picture;
}

void DisplayList::move(PicRef pic, double left, double top)
{
    Entry &e = entry(pic);
    if (!std::isfinite(left) || !std::isfinite(top))
        raiseError(err::InvalidCall);
    if (e.left == left && e.top == top)
        return;
    const auto before = seenRect(pic);
    e.left = left;
    e.top = top;
    changed(before, seenRect(pic));
}

void DisplayList::resize(PicRef pic, double width, double height)
{
    Entry &e = entry(pic);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0 || height < 0)
        raiseError(err::InvalidCall);
    if (e.width == width && e.height == height)
        return;
    const auto before = seenRect(pic);
    e.width = width;
    e.height = height;
    changed(before, seenRect(pic));
}

double DisplayList::left(PicRef pic) const
{
    return entry(pic).left;
}

double DisplayList::top(PicRef pic) const
{
    return entry(pic).top;
}

double DisplayList::width(PicRef pic) const
{
    return entry(pic).width;
}

double DisplayList::height(PicRef pic) const
{
    return entry(pic).height;
}

void DisplayList::setVisible(PicRef pic, bool visible)
{
    Entry &e = entry(pic);
    if (e.visible == visible)
        return;
    const auto before = seenRect(pic);
    e.visible = visible;
    changed(before, seenRect(pic));
}

bool DisplayList::isVisible(PicRef pic) const
{
    return entry(pic).visible;
}

void DisplayList::bringToFront(PicRef pic)
{
    auto &siblings = siblingsOf(pic);
    if (siblings.back() == pic)
        return;
    eraseRef(siblings, pic);
    siblings.push_back(pic);
    changed(seenRect(pic));
}

void DisplayList::sendToBack(PicRef pic)
{
    auto &siblings = siblingsOf(pic);
    if (siblings.front() == pic)
        return;
    eraseRef(siblings, pic);
    siblings.insert(siblings.begin(), pic);
    changed(seenRect(pic));
}

void DisplayList::takeOut(PicRef pic)
{
    eraseRef(siblingsOf(pic), pic);
}

void DisplayList::putInside(PicRef rider, PicRef carrier)
{
    Entry &r = entry(rider);
    entry(carrier);
    if (rider == carrier || contains(rider, carrier))
        raiseError(err::InvalidCall);
    if (r.carrier == carrier)
        return;
    const auto before = seenRect(rider);
    const QRectF place = absoluteRect(rider);
    const QRectF carrierPlace = absoluteRect(carrier);
    takeOut(rider);
    r.carrier = carrier;
    r.left = place.left() - carrierPlace.left();
    r.top = place.top() - carrierPlace.top();
    entry(carrier).riders.push_back(rider);
    changed(before, seenRect(rider));
}

void DisplayList::putOnBoard(PicRef rider)
{
    Entry &r = entry(rider);
    if (!r.carrier)
        return;
    const auto before = seenRect(rider);
    const QRectF place = absoluteRect(rider);
    takeOut(rider);
    r.carrier.reset();
    r.left = place.left();
    r.top = place.top();
    layerOf(rider.array).push_back(rider);
    changed(before, seenRect(rider));
}

std::optional<PicRef> DisplayList::carrierOf(PicRef pic) const
{
    return entry(pic).carrier;
}

void DisplayList::processEvents()
{
    ++processEventsCount_;
    if (observer_)
        observer_->processEvents();
}

void DisplayList::animationStep(double frames)
{
    ++animationStepCount_;
    animationFrames_ += frames;
    if (observer_)
        observer_->animationStep(frames);
}

std::vector<PicRef> DisplayList::riders(PicRef carrier) const
{
    return entry(carrier).riders;
}

QRectF DisplayList::absoluteRect(PicRef pic) const
{
    const Entry *e = find(pic);
    if (!e)
        return {};
    QRectF rect(e->left, e->top, e->width, e->height);
    // A carrier chain is short (a lifted card and its riders) and never cyclic.
    for (auto c = e->carrier; c; c = find(*c)->carrier) {
        const Entry *ce = find(*c);
        rect.translate(ce->left, ce->top);
    }
    return rect;
}

bool DisplayList::isShown(PicRef pic) const
{
    const Entry *e = find(pic);
    if (!e || !e->loaded || !e->visible)
        return false;
    return !e->carrier || isShown(*e->carrier);
}

std::optional<QRectF> DisplayList::seenRect(PicRef pic) const
{
    if (!isShown(pic))
        return std::nullopt;
    QRectF rect = absoluteRect(pic);
    for (auto c = find(pic)->carrier; c; c = find(*c)->carrier)
        rect = rect.intersected(absoluteRect(*c));
    if (rect.isEmpty())
        return std::nullopt;
    return rect;
}

void DisplayList::changed(const std::optional<QRectF> &area)
{
    if (observer_ && area)
        observer_->areaChanged(*area);
}

void DisplayList::changed(const std::optional<QRectF> &before, const std::optional<QRectF> &after)
{
    // A picture moved a little (a drag frame) is one area: a plain rectangle paints much
    // faster than a region of bands.
    if (before && after && before->intersects(*after)) {
        changed(before->united(*after));
        return;
    }
    changed(before);
    changed(after);
}

void DisplayList::appendItems(PicRef pic, const QRectF &clip, bool shown, std::vector<Item> *items,
                              std::vector<PicRef> *order) const
{
    const Entry &e = *find(pic);
    const QRectF rect = absoluteRect(pic);
    const QRectF seen = e.carrier ? rect.intersected(clip) : rect;
    shown = shown && e.visible;
    if (order)
        order->push_back(pic);
    if (items && shown && !seen.isEmpty())
        items->push_back({pic, e.picture, rect, seen});
    for (PicRef r : e.riders)
        appendItems(r, seen, shown, items, order);
}

std::vector<PicRef> DisplayList::zOrder() const
{
    std::vector<PicRef> order;
    for (PicRef p : slotLayer_)
        appendItems(p, {}, true, nullptr, &order);
    for (PicRef p : cardLayer_)
        appendItems(p, {}, true, nullptr, &order);
    return order;
}

bool DisplayList::isAbove(PicRef a, PicRef b) const
{
    entry(a);
    entry(b);
    const auto order = zOrder();
    return std::find(order.begin(), order.end(), a) > std::find(order.begin(), order.end(), b);
}

void DisplayList::shownItems(std::vector<Item> &out) const
{
    out.clear();
    for (PicRef p : slotLayer_)
        appendItems(p, {}, true, &out, nullptr);
    for (PicRef p : cardLayer_)
        appendItems(p, {}, true, &out, nullptr);
}

std::optional<PicRef> DisplayList::hitTest(double x, double y) const
{
    std::vector<Item> items;
    shownItems(items);
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (holds(it->clip, x, y))
            return it->pic;
    }
    return std::nullopt;
}
