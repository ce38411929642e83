#include "QMsgForm.h"

#include "CisPickForm.h"
#include "CisSql.h"
#include "DMZal.h"
#include "QMsgDForm.h"
#include "Routines.h"
#include "library/Buttons.h"
#include "library/xDBGrid.h"
#include "platform/os/Clock.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TQMsgForm *QMsgForm = nullptr;

namespace {

const QString MessageQueryName = QStringLiteral("QMessages");
constexpr int CheckEveryMinutes = 5;

// Whole minutes from one minute of the day to another, counting the days between.
qint64 minutesBetween(const QDateTime &from, const QDateTime &to)
{
    const auto minuteOfDay = [](const QDateTime &t) { return t.time().hour() * 60 + t.time().minute(); };
    return from.date().daysTo(to.date()) * 24 * 60 + minuteOfDay(to) - minuteOfDay(from);
}

QString field(const char *name)
{
    return MessageQuery()->FieldByName(QString::fromLatin1(name))->AsString();
}

} // namespace

TMessageCheckState &MessageCheckState()
{
    static TMessageCheckState state;
    return state;
}

TxQuery *MessageQuery()
{
    return GetQuery(MessageQueryName);
}

TQMsgForm::TQMsgForm(QWidget *owner) : TForm(owner)
{
    TrackGlobal(this, QMsgForm);
    setWindowTitle(QString::fromUtf8("Správy"));
    resize(720, 480);
    auto *main = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QString::fromUtf8("Nevybavené správy :"), this));
    lPocet = new QLabel(QStringLiteral("0"), this);
    top->addWidget(lPocet);
    top->addStretch();
    main->addLayout(top);
    Grid = new TxDBGrid(this);
    Grid->SetReadOnly(true);
    main->addWidget(Grid, 1);
    auto *details = new QFormLayout;
    const auto text = [this](const char *name) {
        auto *t = new TDBText(this);
        t->setObjectName(QString::fromLatin1(name));
        return t;
    };
    details->addRow(QStringLiteral("Spravu poslal"), text("usr_vystav"));
    details->addRow(QStringLiteral("dna"), text("d_vystav"));
    details->addRow(QStringLiteral("Doklad v sprave je"), text("msg_data"));
    auto *memo = new TDBMemo(this);
    memo->setObjectName(QStringLiteral("msg_text"));
    memo->SetReadOnly(true);
    details->addRow(QStringLiteral("Text spravy je"), memo);
    main->addLayout(details);
    auto *buttons = new QHBoxLayout;
    BtnNova = new QPushButton(QString::fromUtf8("&Nová"), this);
    BtnOdpoved = new QPushButton(QString::fromUtf8("&Odpoveď"), this);
    BtnTlac = new TBtnTlac(this);
    BtnKoniec = new TBtnKoniec(this);
    buttons->addWidget(BtnNova);
    buttons->addWidget(BtnOdpoved);
    buttons->addWidget(BtnTlac);
    buttons->addStretch();
    buttons->addWidget(BtnKoniec);
    main->addLayout(buttons);
    connect(BtnNova, &QPushButton::clicked, this, [this] { Guarded([this] { NewMessage(); }); });
    connect(BtnOdpoved, &QPushButton::clicked, this, [this] { Guarded([this] { Reply(); }); });
    connect(BtnTlac, &QPushButton::clicked, this, [this] { Guarded([this] { PrintCurrent(); }); });

    PopupMenu = new QMenu(this);
    PopupMenu->addAction(QString::fromUtf8("&Nová"), this, [this] { Guarded([this] { NewMessage(); }); });
    PopupMenu->addAction(QString::fromUtf8("Odpoveď"), this, [this] { Guarded([this] { Reply(); }); });
    PopupMenu->addAction(QString::fromUtf8("&Tlač"), this, [this] { Guarded([this] { PrintCurrent(); }); });
    PopupMenu->addAction(QString::fromUtf8("Vybavená"), this, [this] { Guarded([this] { MarkCurrentHandled(); }); });
    PopupMenu->addAction(QString::fromUtf8("Vybavené *"), this,
                         [this] { Guarded([this] { MarkHandledUpToCurrent(); }); });
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu->popup(Grid->viewport()->mapToGlobal(pos)); });
    OnShow = [this] { ListShown(); };
}

TQMsgForm::~TQMsgForm()
{
    DetachGrids(this);
}

void TQMsgForm::SetMessages(TDataSource *source)
{
    source_ = source;
    if (Grid->DataSource() != source) {
        Grid->SetDataSource(source);
        // Sender and subject narrower than their columns can hold, so the date and the text are in
        // view; the text takes the rest of the width.
        const int ch = Grid->fontMetrics().averageCharWidth();
        Grid->AddColumn(QStringLiteral("usr_vystav"), QStringLiteral("Odosielatel"), 12 * ch);
        Grid->AddColumn(QStringLiteral("msg_title"), QStringLiteral("Predmet spravy"), 30 * ch);
        Grid->AddColumn(QStringLiteral("d_vystav"), QStringLiteral("Datum vystav."));
        Grid->AddColumn(QStringLiteral("msg_text"), QStringLiteral("Text spravy"));
        Grid->horizontalHeader()->setStretchLastSection(true);
    }
    for (TDBControl *control : {static_cast<TDBControl *>(findChild<TDBText *>(QStringLiteral("usr_vystav"))),
                                static_cast<TDBControl *>(findChild<TDBText *>(QStringLiteral("d_vystav"))),
                                static_cast<TDBControl *>(findChild<TDBText *>(QStringLiteral("msg_data"))),
                                static_cast<TDBControl *>(findChild<TDBMemo *>(QStringLiteral("msg_text")))}) {
        control->SetDataSource(source);
        control->SetDataField(dynamic_cast<QWidget *>(control)->objectName());
    }
}

void TQMsgForm::ListShown()
{
    TxQuery *q = MessageQuery();
    if (!q->Active())
        return;
    q->Last();
    if (!q->IsEmpty())
        MessageCheckState().LastMessageId = q->FieldByName(QStringLiteral("MSG_ID"))->AsInteger();
    lPocet->setText(QString::number(q->RecordCount()));
}

void TQMsgForm::NewMessage()
{
    ComposeMessage(&FormOnDemand(QMsgDForm), QString(), QString(), QString(), 0, true);
    RefreshMessages(this);
}

void TQMsgForm::Reply()
{
    TxQuery *q = MessageQuery();
    if (!q->Active() || q->IsEmpty())
        return;
    ComposeMessage(&FormOnDemand(QMsgDForm), field("USR_VYSTAV").trimmed(), ReplyTitle(field("MSG_TITLE")), QString(),
                   0, true);
    RefreshMessages(this);
}

void TQMsgForm::PrintCurrent()
{
    TxQuery *q = MessageQuery();
    if (!q->Active() || q->IsEmpty())
        return;
    PrintMessage(field("USR_VYSTAV"), field("MSG_USER"), q->FieldByName(QStringLiteral("MSG_ID"))->AsInteger(),
                 q->FieldByName(QStringLiteral("D_VYSTAV"))->AsDateTime(),
                 q->FieldByName(QStringLiteral("MSG_DATA"))->AsInteger(), field("MSG_TITLE"), field("MSG_TEXT"));
    if (Confirm(QString::fromUtf8("Označiť túto správu ako vybavenú ?"), QString::fromUtf8("Otázka")))
        MarkCurrentHandled();
}

void TQMsgForm::MarkCurrentHandled()
{
    TxQuery *q = MessageQuery();
    if (q->Active() && !q->IsEmpty())
        MarkMessageHandled(q->FieldByName(QStringLiteral("MSG_ID"))->AsInteger());
}

void TQMsgForm::MarkHandledUpToCurrent()
{
    TxQuery *q = MessageQuery();
    if (!q->Active() || q->IsEmpty())
        return;
    if (!Confirm(QString::fromUtf8("Označiť túto a všetky staršie správy ako vybavené ?"), QString::fromUtf8("Otázka")))
        return;
    // The scratch query runs the updates; this list keeps its cursor.
    const int from = q->RecNo();
    for (int row = from; row >= 1; --row) {
        q->SetRecNo(row);
        MarkCurrentHandled();
    }
}

QString ReplyTitle(const QString &title)
{
    QString reply = QStringLiteral("Re: ") + title;
    if (reply.startsWith(QLatin1String("Re: Re:")))
        reply.remove(0, 4);
    return reply;
}

void MarkMessageHandled(int id)
{
    ExecSqlParams(CisSql::MessageHandled, {id});
}

void RefreshMessages(TQMsgForm *form)
{
    MessageQuery()->Reopen();
    form->ListShown();
}

void CheckMessages(bool force)
{
    TMessageCheckState &state = MessageCheckState();
    const QDateTime now = Now();
    if (!force && state.LastCheck.isValid() && minutesBetween(state.LastCheck, now) < CheckEveryMinutes)
        return;
    if (force)
        state.LastMessageId = 0;
    state.LastCheck = now;
    TxQuery *q = OpenQuery(CisSql::NewMessages, {state.LastMessageId}, MessageQueryName);
    if (!force && q->IsEmpty())
        return;
    ExecSqlParams(CisSql::MessagesReceived, {state.LastMessageId});
    TQMsgForm &form = FormOnDemand(QMsgForm);
    form.SetMessages(GetDataSource(q));
    form.ShowModal();
}
