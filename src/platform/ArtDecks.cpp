#include "platform/ArtDecks.h"

#include "core/FolderList.h"
#include "platform/ArtPaint.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <cmath>

namespace {
// Decks whose licence does not let us ship them with this program.
bool isExcluded(const QString &folder)
{
    return folder.compare(QLatin1String("svg-konqi-modern"), Qt::CaseInsensitive) == 0;
}

// Reads Name= and SVG= of the [KDE Backdeck] group; other groups and translations are skipped.
void readIndex(const QString &path, QString &name, QString &svg)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line.compare(QLatin1String("[KDE Backdeck]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Name"))
            name = value;
        else if (key == QLatin1String("SVG"))
            svg = value;
    }
}

bool isSvgName(const QString &file)
{
    return file.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive) ||
           file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
}

bool hasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return true;
    }
    return false;
}
} // namespace

ArtDecks::ArtDecks(const QString &decksFolder)
{
    if (decksFolder.isEmpty())
        return;
    for (const QString &folder : FolderList::folders(decksFolder)) {
        if (isExcluded(folder))
            continue;
        const QString dir = FolderList::join(decksFolder, folder);
        QString name;
        QString svg;
        readIndex(FolderList::join(dir, QStringLiteral("index.desktop")), name, svg);
        if (svg.isEmpty() || svg.contains(QLatin1Char('/')) || !QFileInfo::exists(FolderList::join(dir, svg))) {
            svg.clear();
            for (const QString &file : FolderList::files(dir)) {
                if (isSvgName(file)) {
                    svg = file;
                    break;
                }
            }
        }
        if (svg.isEmpty())
            continue;
        decks_.append(Deck{folder, name.isEmpty() ? folder : name, FolderList::join(dir, svg)});
    }
}

ArtDecks::~ArtDecks() = default;

int ArtDecks::indexOf(const QString &folder) const
{
    for (int i = 0; i < decks_.size(); ++i)
        if (decks_[i].folder.compare(folder, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QSvgRenderer *ArtDecks::renderer(int index)
{
    if (index < 0 || index >= count() || unreadable_.count(index) != 0)
        return nullptr;
    auto found = renderers_.find(index);
    if (found != renderers_.end())
        return found->second.get();
    auto loaded = std::make_unique<QSvgRenderer>(decks_[index].file);
    if (!loaded->isValid()) {
        unreadable_.insert(index);
        return nullptr;
    }
    QSvgRenderer *result = loaded.get();
    renderers_.emplace(index, std::move(loaded));
    return result;
}

QImage ArtDecks::render(int index, const QString &elementId, int width, int height, qreal ratio)
{
    QSvgRenderer *svg = renderer(index);
    if (svg == nullptr || !svg->elementExists(elementId))
        return {};
    const QRectF bounds = svg->transformForElement(elementId).mapRect(svg->boundsOnElement(elementId));
    if (bounds.isEmpty() || !std::isfinite(bounds.width()) || !std::isfinite(bounds.height()))
        return {};

    const bool turn = bounds.width() > bounds.height();
    const qreal aspect = turn ? bounds.height() / bounds.width() : bounds.width() / bounds.height();
    const qreal wanted = static_cast<qreal>(width) / height;
    QRectF target(0, 0, width, height);
    // A few percent of stretch is invisible; more would distort the artwork, so keep its shape.
    if (std::abs(aspect / wanted - 1.0) > 0.05) {
        if (aspect < wanted)
            target = QRectF((width - height * aspect) / 2.0, 0, height * aspect, height);
        else
            target = QRectF(0, (height - width / aspect) / 2.0, width, width / aspect);
    }

    QImage image = artPaint::newImage(width, height, ratio);
    QPainter painter(&image);
    artPaint::smooth(painter);
    if (turn) {
        painter.translate(target.center());
        painter.rotate(90);
        svg->render(&painter, elementId,
                    QRectF(-target.height() / 2, -target.width() / 2, target.height(), target.width()));
    } else {
        svg->render(&painter, elementId, target);
    }
    painter.end();
    return hasInk(image) ? image : QImage();
}

void ArtDecks::release(int keep)
{
    for (auto it = renderers_.begin(); it != renderers_.end();) {
        if (it->first == keep)
            ++it;
        else
            it = renderers_.erase(it);
    }
}
