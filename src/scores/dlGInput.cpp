#include "scores/dlGInput.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "platform/Guard.h"
#include "platform/MessageBox.h"

dlGInput::dlGInput(IMessageBox &box, const QString &prompt, const QString &text, Check check, QWidget *parent)
    : QDialog(parent), box_(box), check_(std::move(check))
{
    setWindowTitle(box.appTitle());
    Label1 = new QLabel(prompt, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(text, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->selectAll();
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { runGuarded(box_, [this] { CancelButton_Click(); }); });
}

void dlGInput::OKButton_Click()
{
    bool done = false;
    runGuarded(box_, [this, &done] { done = check_(Text1->text()); });
    if (done) {
        accept();
        return;
    }
    Text1->setFocus();
}

void dlGInput::CancelButton_Click()
{
    reject();
}
