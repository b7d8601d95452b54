#include "engine/cCustom.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "engine/mStudio.h"
#include "library/mFavorites.h"
#include "platform/ArtLibrary.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/mFile.h"

namespace {
const QString kExt = QStringLiteral(".gam");

bool hasStudioExtension(const QString &fileName)
{
    return fileName.size() > kExt.size() && fileName.endsWith(kExt, Qt::CaseInsensitive);
}

// The values of one record line, exactly as many as the format gives it.
QList<std::int16_t> readValues(const QStringList &lines, int index, int count, const QString &path)
{
    if (index >= lines.size())
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    const QList<TextFile::Field> fields = TextFile::parseRecord(lines[index]);
    if (fields.size() < count)
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    QList<std::int16_t> values;
    for (int i = 0; i < count; ++i) {
        if (fields[i].quoted)
            raiseError(err::TypeMismatch);
        values.append(TextFile::parseInt16(fields[i].text));
    }
    return values;
}
} // namespace

cCustom::cCustom(Context &ctx) : ctx_(ctx) {}

bool cCustom::Init(const QString &name)
{
    cData &data = ctx_.data();
    if (data.IsOriginal(name))
        return LoadStudioFile(name);
    if (mStudio::LoadBuiltInGame(ctx_, name))
        return true;
    // A studio game file added while the program runs: the game table takes it in, so the
    // game reads as soon as it is listed rather than after the next start.
    if (name.isEmpty() || data.GameExists(name) || !FolderList::isRegularFile(StudioFilePath(name)))
        return false;
    data.Refresh_NewGames();
    return data.IsOriginal(name) && LoadStudioFile(name);
}

QString cCustom::StudioFilePath(const QString &name) const
{
    const QString folder = ctx_.data().GamesFolder();
    QString exact = FolderList::join(folder, name + kExt);
    if (QFileInfo(exact).isFile())
        return exact;
    for (const QString &file : FolderList::files(folder)) {
        if (hasStudioExtension(file) && file.chopped(kExt.size()) == name)
            return FolderList::join(folder, file);
    }
    return exact;
}

bool cCustom::LoadStudioFile(const QString &name)
{
    const QString path = StudioFilePath(name);
    if (!QFileInfo(path).isFile())
        return false;
    const QStringList lines = TextFile::readLines(path);
    if (lines.isEmpty())
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    const QList<TextFile::Field> nameFields = TextFile::parseRecord(lines[0]);
    // The whole file is read before anything is taken, so a damaged file changes nothing.
    const QList<std::int16_t> home = readValues(lines, 1, 7, path);
    const QList<std::int16_t> goal = readValues(lines, 2, 3, path);
    const QList<std::int16_t> res = readValues(lines, 3, 2, path);
    GameDefinition d;
    d.GameName = nameFields.value(0).text;
    d.HPiles = home[0];
    d.HOrder = home[1];
    d.HSpace = home[2];
    d.HAK = home[3];
    d.HMulti = home[4];
    d.Suits = home[5];
    d.MOrder = home[6];
    d.GOrder = goal[0];
    d.GBase = goal[1];
    d.GCards = goal[2];
    d.RPiles = res[0];
    d.RCards = res[1];
    // A value no board can hold would only fail later, in the deal or in its saved games.
    CheckDefinition(d, QStringLiteral("The studio game file ") + path);
    def_ = d;
    return true;
}

void cCustom::Home(std::int32_t hPiles, std::int32_t hOrder, std::int32_t hSpace, std::int32_t hak, std::int32_t hMulti,
                   std::int32_t suits, std::int32_t mOrder)
{
    // Every value is checked before any is stored.
    const std::int16_t values[7] = {toInt16(hPiles), toInt16(hOrder), toInt16(hSpace), toInt16(hak),
                                    toInt16(hMulti), toInt16(suits),  toInt16(mOrder)};
    def_.HPiles = values[0];
    def_.HOrder = values[1];
    def_.HSpace = values[2];
    def_.HAK = values[3];
    def_.HMulti = values[4];
    def_.Suits = values[5];
    def_.MOrder = values[6];
}

void cCustom::Goal(std::int32_t gOrder, std::int32_t gBase, std::int32_t gCards)
{
    const std::int16_t values[3] = {toInt16(gOrder), toInt16(gBase), toInt16(gCards)};
    def_.GOrder = values[0];
    def_.GBase = values[1];
    def_.GCards = values[2];
}

void cCustom::Res(std::int32_t rPiles, std::int32_t rCards)
{
    const std::int16_t values[2] = {toInt16(rPiles), toInt16(rCards)};
    def_.RPiles = values[0];
    def_.RCards = values[1];
}

bool cCustom::SaveStudioGame(const QString &name, bool mAdd, bool mGameEdit)
{
    def_.GameName = name;
    IMessageBox &box = ctx_.messages();
    // A built-in name could never be loaded from a studio file, so it is refused too.
    if (name.isEmpty() || !mFavorites::IsValidFileName(name) || mStudio::IsBuiltInName(name)) {
        box.show(QStringLiteral("Please Enter a valid Game Name"), MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    const QString path = StudioFilePath(name);
    if (mAdd && QFileInfo::exists(path) && !mGameEdit) {
        if (box.show(QStringLiteral("Another Game exists with the same name. Do you want to overwrite ?"),
                     MsgButtons::YesNo, MsgIcon::Critical) == MsgResult::No)
            return false;
    }
    auto join = [](std::initializer_list<std::int16_t> values) {
        QStringList parts;
        for (std::int16_t v : values)
            parts.append(QString::number(v));
        return parts.join(QLatin1Char(','));
    };
    const GameDefinition &d = def_;
    TextFile::writeLines(path, {TextFile::quoted(d.GameName),
                                join({d.HPiles, d.HOrder, d.HSpace, d.HAK, d.HMulti, d.Suits, d.MOrder}),
                                join({d.GOrder, d.GBase, d.GCards}), join({d.RPiles, d.RCards})});
    box.show(QStringLiteral("Successfully Saved Game : ") + name, MsgButtons::Ok, MsgIcon::Information);
    ctx_.data().Refresh_NewGames();
    return true;
}

void cCustom::LoadGameFile(const QString &path)
{
    def_ = mFile::ReadGameHeader(path).Definition;
}

QStringList cCustom::GetStudioGames() const
{
    const QStringList files = FolderList::files(ctx_.data().GamesFolder());
    QStringList result(files.size() + 2);
    std::int16_t count = 0;
    for (const QString &file : files) {
        if (!hasStudioExtension(file))
            continue;
        count = toInt16(static_cast<std::int64_t>(count) + 1);
        if (count == 32767)
            raiseError(err::Overflow);
        result[count] = file.chopped(kExt.size());
    }
    result[0] = QString::number(count);
    return result;
}

void cCustom::Update_Pic(QPaintDevice &box) const
{
    ArtLibrary &art = ctx_.art();
    QPainter painter(&box);
    painter.drawImage(QPoint(0, 0), art.ResPicture(def_.RPiles, def_.RCards));
    painter.drawImage(QPoint(125, 0), art.GoalPicture(def_.GBase, def_.GCards));
    painter.drawImage(QPoint(0, 36), art.TableauPicture(def_.HPiles, def_.Suits));
}
