// The help window: a browser over the program's help pages with Back, Forward and
// Contents. It does not block the program; links between pages stay inside the help,
// and a link to anything else opens nothing.
#pragma once

#include <QTextBrowser>
#include <QWidget>

class QAction;

// The browser that takes its pages from the help instead of from files.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl &name) override;
    // The page name of a link ("index.html").
    static QString pageName(const QUrl &url);
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the page of that name ("index.html").
    void showPage(const QString &name);
    void showContents();
    // The name of the page shown.
    QString currentPage() const;

    HelpBrowser *browser = nullptr;
    QAction *actBack = nullptr;
    QAction *actForward = nullptr;
    QAction *actContents = nullptr;
};
