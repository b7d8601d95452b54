#include "shell/frmSplash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "app/Context.h"
#include "store/cData.h"

namespace {
constexpr int kBorder = 1;
// Where the version sits: centred under the title lettered into the picture.
constexpr int kVersionTop = 94;
constexpr int kNoticeHeight = 22;
} // namespace

frmSplash::frmSplash(Context &ctx, std::function<void()> handOver, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ctx_(ctx), handOver_(std::move(handOver))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(ArtLibrary::SplashWidth + 2 * kBorder, ArtLibrary::SplashHeight + 2 * kBorder);

    // The picture fills the window inside the border; the texts are laid over it and
    // let every click through to the window.
    imgWords = new QLabel(this);
    imgWords->setObjectName(QStringLiteral("imgWords"));
    imgWords->setGeometry(kBorder, kBorder, ArtLibrary::SplashWidth, ArtLibrary::SplashHeight);
    imgWords->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblversion = new QLabel(imgWords);
    lblversion->setObjectName(QStringLiteral("lblversion"));
    lblversion->setAlignment(Qt::AlignCenter);
    lblversion->setStyleSheet(QStringLiteral("QLabel { color: #fff2b4; background: rgba(0, 0, 0, 110);"
                                             " border-radius: 9px; padding: 2px 12px; }"));
    QFont versionFont = lblversion->font();
    versionFont.setPointSizeF(11);
    versionFont.setBold(true);
    lblversion->setFont(versionFont);
    lblversion->setAttribute(Qt::WA_TransparentForMouseEvents);

    // A dark strip along the foot of the picture keeps the notice readable over the ferns.
    Label1 = new QLabel(
        QStringLiteral("Free software under the GNU GPL v3 or later. Card art from the KDE card decks."), imgWords);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("QLabel { color: #e8f0e0; background: rgba(0, 0, 0, 120); }"));
    QFont noticeFont = Label1->font();
    noticeFont.setPointSizeF(8);
    Label1->setFont(noticeFont);
    Label1->setGeometry(0, ArtLibrary::SplashHeight - kNoticeHeight, ArtLibrary::SplashWidth, kNoticeHeight);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kShowTime);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Form_Load();
    centreOnScreen();
    Timer1->start();
}

void frmSplash::Form_Load()
{
    imgWords->setPixmap(QPixmap::fromImage(ctx_.art().SplashPicture()));
    lblversion->setText(QStringLiteral("Version : ") + ctx_.data().Version());
    lblversion->adjustSize();
    lblversion->move((ArtLibrary::SplashWidth - lblversion->width()) / 2, kVersionTop);
}

void frmSplash::Form_KeyPress()
{
    UnloadSplash();
}

void frmSplash::Form_Click()
{
    UnloadSplash();
}

void frmSplash::Timer1_Timer()
{
    UnloadSplash();
}

void frmSplash::UnloadSplash()
{
    if (handedOver_)
        return;
    // Marked first: the main window's load may run a modal loop in which the timer or
    // another click would otherwise come back here.
    handedOver_ = true;
    Timer1->stop();
    hide();
    if (handOver_)
        runGuarded(ctx_.messages(), handOver_);
    deleteLater();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    Form_KeyPress();
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    Form_Click();
}

void frmSplash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Keys reach the splash only while it has the focus.
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void frmSplash::paintEvent(QPaintEvent *)
{
    // The picture covers everything but a thin dark-gold frame.
    QPainter p(this);
    p.fillRect(rect(), QColor(74, 52, 16));
}

void frmSplash::centreOnScreen()
{
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}
