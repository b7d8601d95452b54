#include "store/HelpWindow.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>
#include <QVBoxLayout>

#include "store/HelpPages.h"
#include "platform/QtWindowFit.h"

namespace {
// Pages live under this scheme, so relative links resolve between them.
const QString kScheme = QStringLiteral("help");

QUrl pageUrl(const QString &name)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QLatin1Char('/') + name);
    return url;
}
} // namespace

QString HelpBrowser::pageName(const QUrl &url)
{
    QString path = url.path();
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (type != QTextDocument::HtmlResource)
        return {};
    if (!name.scheme().isEmpty() && name.scheme() != kScheme)
        return {};
    const QString html = HelpPages::Page(pageName(name));
    if (html.isEmpty())
        return QStringLiteral("<html><body><p>This page does not exist.</p>"
                              "<p><a href=\"index.html\">Contents</a></p></body></html>");
    return html;
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Brackenfold Help"));
    browser = new HelpBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenExternalLinks(false);
    auto *toolbar = new QToolBar(this);
    actBack = toolbar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), QStringLiteral("Back"));
    actForward = toolbar->addAction(QIcon::fromTheme(QStringLiteral("go-next")), QStringLiteral("Forward"));
    actContents = toolbar->addAction(QIcon::fromTheme(QStringLiteral("help-contents")), QStringLiteral("Contents"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    actBack->setShortcut(QKeySequence::Back);
    actForward->setShortcut(QKeySequence::Forward);
    actBack->setEnabled(false);
    actForward->setEnabled(false);
    connect(actBack, &QAction::triggered, browser, &QTextBrowser::backward);
    connect(actForward, &QAction::triggered, browser, &QTextBrowser::forward);
    connect(actContents, &QAction::triggered, this, &HelpWindow::showContents);
    connect(browser, &QTextBrowser::backwardAvailable, actBack, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, actForward, &QAction::setEnabled);
    // The page's title, then the window's; a page titled as the window, or untitled, once.
    connect(browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString help = QStringLiteral("Brackenfold Help");
        const QString page = browser->documentTitle().trimmed();
        setWindowTitle(page.isEmpty() || page == help ? help : page + QStringLiteral(" - ") + help);
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(browser, 1);
    QtWindowFit::resizeWithin(*this, {640, 560});
}

void HelpWindow::showPage(const QString &name)
{
    browser->setSource(pageUrl(name), QTextDocument::HtmlResource);
}

void HelpWindow::showContents()
{
    showPage(QLatin1String(HelpPages::kContents));
}

QString HelpWindow::currentPage() const
{
    return HelpBrowser::pageName(browser->source());
}
