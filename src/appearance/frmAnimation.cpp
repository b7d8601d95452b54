#include "appearance/frmAnimation.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "platform/Guard.h"
#include "store/cRegistry.h"

namespace {
const std::array<const char *, 5> kCaptions = {
    "", "Card Moving Speed : ", "Undo/Redo Speed : ", "Undoall/Redoall Speed : ", "Replay Speed : "};
} // namespace

frmAnimation::frmAnimation(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Animation"));
    auto *layout = new QVBoxLayout(this);
    for (std::size_t i = 1; i < Frame.size(); ++i) {
        Frame[i] = new QGroupBox(this);
        Frame[i]->setObjectName(QStringLiteral("Frame%1").arg(i));
        Slider[i] = new QSlider(Qt::Horizontal, Frame[i]);
        Slider[i]->setObjectName(QStringLiteral("Slider%1").arg(i));
        Slider[i]->setRange(0, mCustomize::kMaxSpeed);
        Slider[i]->setSingleStep(1);
        Slider[i]->setPageStep(5);
        Slider[i]->setTickPosition(QSlider::TicksBelow);
        Slider[i]->setTickInterval(5);
        auto *inner = new QVBoxLayout(Frame[i]);
        inner->addWidget(Slider[i]);
        layout->addWidget(Frame[i]);
        connect(Slider[i], &QSlider::valueChanged, this,
                [this] { runGuarded(ctx_.messages(), [this] { Slider_Scroll(); }); });
    }
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    resize(360, sizeHint().height());

    connect(cmdOK, &QPushButton::clicked, this, [this] { runGuarded(ctx_.messages(), [this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdCancel_Click(); }); });

    loaded_ = runGuarded(ctx_.messages(), [this] { Form_Load(); });
}

void frmAnimation::Form_Load()
{
    // A hand-edited speed outside 0..50 stands at the nearest end of its slider.
    const std::array<int, 5> speeds = {0, mCustomize::GetCardSpeed(ctx_), mCustomize::GetUndoSpeed(ctx_),
                                       mCustomize::GetUndoallSpeed(ctx_), mCustomize::GetReplaySpeed(ctx_)};
    for (std::size_t i = 1; i < Slider.size(); ++i) {
        const QSignalBlocker block(Slider[i]);
        Slider[i]->setValue(mCustomize::kMaxSpeed - speeds[i]);
        loadedAt_[i] = Slider[i]->value();
    }
    Slider_Scroll();
    ctx_.sound().Animation();
}

void frmAnimation::Slider_Scroll()
{
    for (std::size_t i = 1; i < Frame.size(); ++i)
        Frame[i]->setTitle(QLatin1String(kCaptions[i]) + QString::number(Slider[i]->value()));
}

void frmAnimation::cmdOK_Click()
{
    // A slider left where it was loaded keeps its stored speed, even one beyond the slider.
    using Setter = void (*)(Context &, std::int16_t);
    static constexpr std::array<Setter, 5> kSetters = {nullptr, mCustomize::SetCardSpeed, mCustomize::SetUndoSpeed,
                                                       mCustomize::SetUndoallSpeed, mCustomize::SetReplaySpeed};
    for (std::size_t i = 1; i < Slider.size(); ++i) {
        // A speed that cannot be stored is reported once; the others are still tried and OK closes.
        if (Slider[i]->value() != loadedAt_[i])
            ctx_.registry().KeepSetting(
                [&] { kSetters[i](ctx_, static_cast<std::int16_t>(mCustomize::kMaxSpeed - Slider[i]->value())); });
    }
    accept();
}

void frmAnimation::cmdCancel_Click()
{
    reject();
}
