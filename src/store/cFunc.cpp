#include "store/cFunc.h"

#include <algorithm>

#include "store/mRegistry.h"

namespace {

QString mruSection(std::int32_t mType)
{
    return QStringLiteral("MRU") + QString::number(mType);
}

QString listSection(std::int32_t mType)
{
    return QStringLiteral("LIST") + QString::number(mType);
}

// The two compares the lists use: exact for adding, upper-cased for finding.
bool sameIgnoringCase(const QString &a, const QString &b)
{
    return a.toUpper() == b.toUpper();
}

} // namespace

cFunc::cFunc(Context &ctx) : ctx_(ctx) {}

QStringList cFunc::readSlots(const QString &section)
{
    QStringList stored;
    stored.reserve(Slots);
    for (int slot = 1; slot <= Slots; ++slot)
        stored.append(mRegistry::GetRegString(ctx_, section, QString::number(slot), QString()));
    return stored;
}

void cFunc::writeSlot(const QString &section, int slot, const QString &value)
{
    mRegistry::SetRegString(ctx_, section, QString::number(slot), value);
}

QStringList cFunc::listResult(const QStringList &stored)
{
    // A gap (a crash between two slot writes, a hand-edited file) must not hide the
    // entries after it, so the entries are gathered from every slot.
    QStringList result(Slots + 1);
    int count = 0;
    for (const QString &entry : stored) {
        if (!entry.isEmpty())
            result[++count] = entry;
    }
    result[0] = QString::number(count);
    return result;
}

void cFunc::AddtoMRU(std::int32_t mType, const QString &Sval)
{
    // An empty entry would push an empty slot to the top and drop the tenth entry.
    if (Sval.isEmpty())
        return;
    const QString section = mruSection(mType);
    const QStringList stored = readSlots(section);
    if (stored.contains(Sval, Qt::CaseSensitive))
        return;
    QStringList entries{Sval};
    for (const QString &entry : stored) {
        if (!entry.isEmpty() && entries.size() < Slots)
            entries.append(entry);
    }
    for (int slot = 1; slot <= Slots; ++slot)
        writeSlot(section, slot, slot <= entries.size() ? entries[slot - 1] : QString());
}

QStringList cFunc::GetMRU(std::int32_t mType)
{
    return listResult(readSlots(mruSection(mType)));
}

std::int16_t cFunc::GetMRUCount(std::int32_t mType)
{
    return static_cast<std::int16_t>(GetMRU(mType)[0].toInt());
}

bool cFunc::AddtoLIST(std::int32_t mType, const QString &Sval)
{
    if (Sval.isEmpty())
        return false;
    const QString section = listSection(mType);
    // Every slot is read first: the entry may stand after a gap.
    const QStringList stored = readSlots(section);
    if (stored.contains(Sval, Qt::CaseSensitive))
        return false;
    const qsizetype firstEmpty = stored.indexOf(QString());
    if (firstEmpty < 0)
        return false;
    writeSlot(section, static_cast<int>(firstEmpty) + 1, Sval);
    return true;
}

QStringList cFunc::GetLIST(std::int32_t mType)
{
    return listResult(readSlots(listSection(mType)));
}

bool cFunc::RemoveListItem(std::int32_t mType, const QString &RemVal)
{
    if (RemVal.isEmpty())
        return false;
    const QString section = listSection(mType);
    const QStringList stored = readSlots(section);
    // Paths that differ only in letter case are two files here: the exact one goes first.
    qsizetype found = stored.indexOf(RemVal);
    for (qsizetype i = 0; found < 0 && i < stored.size(); ++i) {
        if (sameIgnoringCase(stored[i], RemVal))
            found = i;
    }
    if (found < 0)
        return false;
    writeSlot(section, static_cast<int>(found) + 1, QString());
    return true;
}

bool cFunc::IsExists(std::int32_t mType, const QString &Sval)
{
    if (Sval.isEmpty())
        return false;
    const QStringList stored = readSlots(listSection(mType));
    return std::any_of(stored.cbegin(), stored.cend(),
                       [&](const QString &entry) { return sameIgnoringCase(entry, Sval); });
}

void cFunc::ClearMRU(std::int32_t mType)
{
    const QString section = mruSection(mType);
    for (int slot = 1; slot <= Slots; ++slot)
        writeSlot(section, slot, QString());
}
