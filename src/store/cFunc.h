// Short lists of text kept in the settings store: the recent lists (section "MRU<n>",
// newest first, no entry twice) and the keyed lists (section "LIST<n>", no order, an entry
// takes the first empty slot). Ten slots "1" to "10" each; an empty text is an empty slot.
// Every call reads and writes the store itself, nothing is cached; a list result holds the
// count as decimal text in element 0 and the entries, without gaps, in elements 1 to count.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class Context;

class cFunc {
public:
    explicit cFunc(Context &ctx);
    cFunc(const cFunc &) = delete;
    cFunc &operator=(const cFunc &) = delete;

    // Puts the entry at the top of the recent list unless a slot already holds exactly it
    // (then nothing moves). An empty entry is never added.
    void AddtoMRU(std::int32_t mType, const QString &Sval);
    // Elements 1 to 10: the entries in slot order, empty slots passed over.
    QStringList GetMRU(std::int32_t mType);
    std::int16_t GetMRUCount(std::int32_t mType);
    // Stores the entry in the first empty slot; false, writing nothing, when a slot holds
    // exactly the entry, when every slot is taken, or for an empty entry.
    bool AddtoLIST(std::int32_t mType, const QString &Sval);
    QStringList GetLIST(std::int32_t mType);
    // Empties the slot that holds exactly RemVal, else the first that matches it ignoring
    // letter case; false when none matched.
    bool RemoveListItem(std::int32_t mType, const QString &RemVal);
    // True when a slot holds the text, ignoring letter case.
    bool IsExists(std::int32_t mType, const QString &Sval);
    std::int32_t GetMRU_Max() const { return Slots; }
    std::int32_t GetLIST_Max() const { return Slots; }
    // Empties every slot of the recent list.
    void ClearMRU(std::int32_t mType);

    static constexpr std::int32_t Slots = 10;

private:
    // The ten slots of a section as stored, slot 1 first.
    QStringList readSlots(const QString &section);
    void writeSlot(const QString &section, int slot, const QString &value);
    // The non-empty slots, count first.
    static QStringList listResult(const QStringList &stored);

    Context &ctx_;
};
