#include "scores/frmHistory.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/Context.h"
#include "app/mGen1.h"
#include "appearance/cSound.h"
#include "engine/cEngine.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "scores/HistoryRows.h"
#include "scores/mHistory.h"
#include "store/cData.h"
#include "store/mFile.h"

frmHistory::frmHistory(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Game History"));
    rows_ = new HistoryRows(this);
    rows_->setIcon(QIcon::fromTheme(QStringLiteral("go-next")));
    lvHistory = new QTreeView(this);
    lvHistory->setObjectName(QStringLiteral("lvHistory"));
    lvHistory->setRootIsDecorated(false);
    // Every row has one height, so tens of thousands of moves lay out at once.
    lvHistory->setUniformRowHeights(true);
    lvHistory->setAllColumnsShowFocus(true);
    lvHistory->setSelectionMode(QAbstractItemView::SingleSelection);
    lvHistory->setModel(rows_);
    lvHistory->header()->setStretchLastSection(false);

    cmdExport = new QPushButton(QStringLiteral("Export"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdExport->setAutoDefault(false);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvHistory, 1);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(cmdExport, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdExport_Click(); }); });
    connect(cmdClose, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdClose_Click(); }); });
    Form_Load();
}

void frmHistory::Form_Load()
{
    LoadHistory();
    ctx_.sound().History();
}

void frmHistory::LoadHistory()
{
    rows_->load(ctx_.engine());
    // Each column to its cells; the last number and the current move, drawn bold, may lie
    // beyond the rows a column is measured over.
    for (int c = 0; c < HistoryRows::ColumnCount; ++c) {
        QStringList samples;
        if (c == 0)
            samples << QString::number(rows_->rowCount());
        if (rows_->current() > 0)
            samples << rows_->index(rows_->current() - 1, c).data().toString();
        QtListFit::fitColumn(lvHistory, c, samples, c == 0);
    }
    if (rows_->current() > 0)
        lvHistory->scrollTo(rows_->index(rows_->current() - 1, 0), QAbstractItemView::PositionAtCenter);
}

void frmHistory::cmdExport_Click()
{
    const ISessionInfo &session = ctx_.session();
    FileDialogRequest request;
    request.title = QStringLiteral("Export");
    request.filter = ctx_.data().ProdName() + QStringLiteral(" Game History (*.txt)|*.txt");
    request.defaultExt = QStringLiteral(".txt");
    request.fileName = mFile::GameFileName(session.GameName(), session.GameNo(), QStringLiteral(".txt"));
    request.folder = mGen1::GetSaveInitDir(ctx_);
    request.promptOverwrite = true;
    const QString path = ctx_.fileDialogs().saveFile(request);
    // Cancel answers "", and a bare name has no folder to write in: nothing is written.
    const QFileInfo target(path);
    if (path.isEmpty() || target.isRelative() || !target.absoluteDir().exists())
        return;
    // A failed write raises the access error naming the file, which the guard shows;
    // success is announced only after the file is in place.
    mHistory::WriteHistory(ctx_, path, ctx_.clock().now());
    ctx_.messages().show(QStringLiteral("Successfully Exported"), MsgButtons::Ok, MsgIcon::Information,
                         ctx_.data().ProdName());
}

void frmHistory::cmdClose_Click()
{
    close();
}
