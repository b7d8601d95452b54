#include "store/HelpPages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "engine/mStudio.h"

namespace HelpPages {

namespace {
const QString kFolder = QStringLiteral(":/help");

QString rankName(int rank)
{
    static const char *const names[] = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                        "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    return rank >= 0 && rank < 13 ? QLatin1String(names[rank]) : QStringLiteral("any card");
}

// An arranging order in words: "down in alternate colours", "up in the same suit".
QString orderWords(int code)
{
    const mStudio::OrderRule rule = mStudio::GetOrderRule(code);
    if (rule.anyCard)
        return QStringLiteral("with any card on any card");
    const QString direction = rule.direction > 0   ? QStringLiteral("up")
                              : rule.direction < 0 ? QStringLiteral("down")
                                                   : QStringLiteral("up or down");
    QString suit;
    switch (rule.suitRule) {
    case 1: suit = QStringLiteral("in the same suit"); break;
    case 2: suit = QStringLiteral("in alternate colours"); break;
    case 4: suit = QStringLiteral("in a different suit"); break;
    case 5: suit = QStringLiteral("in the same colour"); break;
    default: suit = QStringLiteral("regardless of suit"); break;
    }
    return direction + QLatin1Char(' ') + suit;
}

QString count(int n, const QString &one, const QString &many)
{
    return QString::number(n) + QLatin1Char(' ') + (n == 1 ? one : many);
}

QString staticPage(const QString &name)
{
    QFile file(kFolder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
} // namespace

QString GamePageName(int id)
{
    return QStringLiteral("game-%1.html").arg(id);
}

QString GamePage(int id)
{
    const auto &games = mStudio::BuiltInGames();
    if (id < 1 || id > static_cast<int>(games.size()))
        return {};
    const mStudio::BuiltInGame &g = games[static_cast<std::size_t>(id - 1)];
    const QString name = QString::fromLatin1(g.name).toHtmlEscaped();
    const int tableauCards = 52 - g.gCards - g.rCards;
    QString html = QStringLiteral("<html><head><title>%1</title></head>\n<body>\n"
                                  "<p><a href=\"index.html\">Contents</a></p>\n<h1>%1</h1>\n")
                       .arg(name);
    html += QStringLiteral("<h2>Layout</h2>\n<table border=\"1\" cellpadding=\"3\">\n");
    const QString row = QStringLiteral("<tr><td>%1</td><td class=\"%2\">%3</td></tr>\n");
    html += row.arg(QStringLiteral("Tableau piles"), QStringLiteral("piles"), QString::number(g.hPiles));
    html += row.arg(QStringLiteral("Free cells"), QStringLiteral("cells"), QString::number(g.rPiles));
    html += row.arg(QStringLiteral("Foundations"), QStringLiteral("foundations"), QStringLiteral("4"));
    html += row.arg(QStringLiteral("Suits in the deck"), QStringLiteral("suits"),
                    g.suits == 2   ? QStringLiteral("4")
                    : g.suits == 1 ? QStringLiteral("2")
                                   : QStringLiteral("1"));
    html += QStringLiteral("</table>\n");

    html += QStringLiteral("<h2>The deal</h2>\n<p>");
    html += QStringLiteral("The 52 cards are dealt face up: %1 onto the %2")
                .arg(count(tableauCards, QStringLiteral("card"), QStringLiteral("cards")),
                     count(g.hPiles, QStringLiteral("tableau pile"), QStringLiteral("tableau piles")));
    if (g.rCards > 0)
        html += QStringLiteral(", %1 into the free cells")
                    .arg(count(g.rCards, QStringLiteral("card"), QStringLiteral("cards")));
    if (g.gCards > 0)
        html += QStringLiteral(", and the four %1s onto the foundations").arg(rankName(g.gBase));
    html += QStringLiteral(".</p>\n");

    html += QStringLiteral("<h2>Rules</h2>\n<ul>\n");
    html += QStringLiteral("<li>The foundations start with the %1s and are built %2.</li>\n")
                .arg(rankName(g.gBase), orderWords(g.gOrder));
    // The foundations go round the ranks; say so where a pile passes from King to Ace.
    if (g.gBase != 0 || mStudio::GetOrderRule(g.gOrder).direction < 0)
        html += QStringLiteral("<li>On the foundations the ranks go round: going up, the Ace follows the King; "
                               "going down, the King follows the Ace.</li>\n");
    html += QStringLiteral("<li>On the tableau, cards are built %1.</li>\n").arg(orderWords(g.hOrder));
    if (g.hak == 1)
        html += QStringLiteral("<li>On the tableau the Ace and the King are neighbours: a King may go on an Ace "
                               "and an Ace on a King where the order allows.</li>\n");
    html += g.hSpace >= 13
                ? QStringLiteral("<li>Any card may fill an empty tableau pile.</li>\n")
                : QStringLiteral("<li>Only a %1 may fill an empty tableau pile.</li>\n").arg(rankName(g.hSpace));
    if (g.rPiles > 0)
        html += QStringLiteral("<li>Each of the %1 holds one card of any kind.</li>\n")
                    .arg(count(g.rPiles, QStringLiteral("free cell"), QStringLiteral("free cells")));
    else
        html += QStringLiteral("<li>There are no free cells.</li>\n");
    html += g.hMulti == 1 ? QStringLiteral("<li>A run of cards in tableau order may be moved at once, as many "
                                           "cards as the empty free cells and empty piles would let you move one "
                                           "by one.</li>\n")
                          : QStringLiteral("<li>Cards are moved one at a time.</li>\n");
    html += QStringLiteral("<li>The game is won when all 52 cards are on the foundations.</li>\n</ul>\n");
    html += QStringLiteral("<p>See also <a href=\"playing.html\">how to play</a>.</p>\n</body></html>\n");
    return html;
}

QStringList PageNames()
{
    QStringList names{QLatin1String(kContents)};
    const QStringList files = QDir(kFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (file != QLatin1String(kContents))
            names << file;
    }
    for (int id = 1; id <= static_cast<int>(mStudio::BuiltInGames().size()); ++id)
        names << GamePageName(id);
    return names;
}

QString Page(const QString &name)
{
    static const QRegularExpression gamePage(QStringLiteral("^game-(\\d+)\\.html$"));
    const QRegularExpressionMatch m = gamePage.match(name);
    if (m.hasMatch())
        return GamePage(m.captured(1).toInt());
    QString html = staticPage(name);
    if (name == QLatin1String(kContents)) {
        QString list = QStringLiteral("<ul>\n");
        const auto &games = mStudio::BuiltInGames();
        for (int id = 1; id <= static_cast<int>(games.size()); ++id)
            list += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                        .arg(GamePageName(id),
                             QString::fromLatin1(games[static_cast<std::size_t>(id - 1)].name).toHtmlEscaped());
        list += QStringLiteral("</ul>");
        html.replace(QStringLiteral("<!--GAMES-->"), list);
    }
    return html;
}

QStringList Links(const QString &html)
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (QRegularExpressionMatchIterator it = href.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

} // namespace HelpPages
