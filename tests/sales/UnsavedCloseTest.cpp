// The offer dialog and the complaint protocol closed every way while they hold typed data, as a person closes
// them: by the title bar's button or by Escape the question "Uložiť zmeny?" comes; Áno stores and closes,
// Nie drops and closes, Zrušiť stays with everything typed; a refused save keeps the window open with the
// data. Nezapíš drops without a question.
#include "SalesFixture.h"

#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/xDBEdit.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/DBControls.h"
#include "library/QTlacForm.h"
#include "platform/ui/FormGlobal.h"
#include "platform/ui/ReportPreview.h"
#include "sales/CenPonDForm.h"
#include "sales/CenPonForm.h"
#include "sales/ZakRekDForm.h"
#include "sales/ZakRekForm.h"

#include <QCloseEvent>
#include <QPushButton>

namespace {

enum TWay { TitleBar, EscapeKey, NezapisButton };

const char *wayName(TWay way)
{
    return way == TitleBar ? "title bar" : way == EscapeKey ? "Escape" : "Nezapíš";
}

// The close a person makes: the title bar's button (the window manager's close event), Escape where the focus
// is, or a click on the dialog's Nezapíš.
void closeBy(TWay way, TForm *dialog, QAbstractButton *nezapis)
{
    if (way == TitleBar) {
        QCloseEvent e;
        QApplication::sendEvent(dialog, &e);
    } else if (way == EscapeKey) {
        Press(Qt::Key_Escape);
    } else {
        ClickOn(nezapis);
    }
    Settle();
}

struct TCloseCase {
    TWay way;
    int answer;  // the answer to the question; mrNone: no question is to come
    bool stays;  // the window is still open afterwards
    bool stored; // the typed data is in the database
};

// Every way with every answer; Nezapíš asks nothing.
const TCloseCase closeCases[] = {
    {TitleBar, mrYes, false, true},        {TitleBar, mrNo, false, false},  {TitleBar, mrCancel, true, false},
    {EscapeKey, mrYes, false, true},       {EscapeKey, mrNo, false, false}, {EscapeKey, mrCancel, true, false},
    {NezapisButton, mrNone, false, false},
};

class UnsavedCloseTest : public SalesJobTest {
protected:
    void TearDown() override
    {
        delete CenPonDForm;
        delete ZakRekDForm;
        SalesJobTest::TearDown();
    }
    // Closes the window as the case says and answers the question; whether what happened is what it says.
    void closeAs(const TCloseCase &c, TForm *dialog, QAbstractButton *nezapis)
    {
        responder->Messages.clear();
        if (c.answer != mrNone)
            responder->MessageAnswers.push_back(c.answer);
        closeBy(c.way, dialog, nezapis);
        const QStringList asked = c.answer == mrNone ? QStringList() : QStringList{QString::fromUtf8("Uložiť zmeny?")};
        EXPECT_EQ(responder->Texts(), asked);
        EXPECT_EQ(dialog->isVisible(), c.stays);
    }
};

TEST_F(UnsavedCloseTest, TheOfferDialogAsksBeforeItDropsATypedNote)
{
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, ODBERATEL, POZNAMKA, MENA, D_VYSTAV) values "
         "('PON260001', 'P', 0, 'Zlievareň Brezno', 'pôvodná', 'EUR', CURRENT_DATE)");
    TCenPonForm browser;
    ASSERT_TRUE(ShowActive(&browser));
    const auto note = [&] { return value("select POZNAMKA from ZAKAZKY where C_OBJ='PON260001'").toString(); };
    QString before = QString::fromUtf8("pôvodná");
    for (const TCloseCase &c : closeCases) {
        SCOPED_TRACE(std::string(wayName(c.way)) + ", answer " + std::to_string(c.answer));
        const QString typed = QString::fromUtf8("Ľubovňa %1/%2").arg(int(c.way)).arg(c.answer);
        WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
            ASSERT_TRUE(TabTo(d->DBePOZNAMKA));
            Type(typed);
            Press(Qt::Key_Tab);
            closeAs(c, d, d->BtnNezapis);
            if (c.stays) {
                EXPECT_EQ(odbyt->QCenPon.FieldByName("POZNAMKA")->AsString(), typed);
                responder->MessageAnswers.push_back(mrNo);
                closeBy(TitleBar, d, d->BtnNezapis);
            }
            EXPECT_FALSE(d->isVisible());
        });
        ClickOn(browser.BtnOprav);
        if (c.stored)
            before = typed;
        EXPECT_EQ(note(), before);
        EXPECT_EQ(odbyt->QCenPon.State(), dsBrowse);
    }

    // A number another offer has: Áno's save is refused, the dialog stays with what was typed.
    exec("insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('PON260002', 'P', 0, 'EUR')");
    WhenModal<TCenPonDForm>([&](TCenPonDForm *d) {
        ASSERT_TRUE(TabTo(d->DBeC_OBJ));
        Type("PON260002");
        Press(Qt::Key_Tab);
        responder->MessageAnswers.push_back(mrYes);
        closeBy(TitleBar, d, d->BtnNezapis);
        EXPECT_TRUE(d->isVisible()) << "a refused save closed the dialog";
        EXPECT_EQ(responder->Messages.size(), 2) << "the question, then the refusal";
        EXPECT_EQ(d->DBeC_OBJ->text().trimmed(), "PON260002");
        ClickOn(d->BtnNezapis);
    });
    ClickOn(browser.BtnOprav);
    EXPECT_EQ(count("select count(*) from ZAKAZKY where C_OBJ='PON260001'"), 1);
}

TEST_F(UnsavedCloseTest, TheComplaintProtocolAsksBeforeItDropsATypedJob)
{
    WhenModal<TZakRekForm>([&](TZakRekForm *f) {
        for (const TCloseCase &c : closeCases) {
            SCOPED_TRACE(std::string(wayName(c.way)) + ", answer " + std::to_string(c.answer));
            exec("delete from ZAKREK");
            WhenModal<TZakRekDForm>(
                [&](TZakRekDForm *d) {
                    // The protocol comes up in its job: typed as a person types it, the job's order follows.
                    QWidget *job = d->DBeC_INT->Edit();
                    ASSERT_TRUE(WaitFor("the job has the focus", [job] { return job->hasFocus(); }));
                    Press(Qt::Key_A, Qt::ControlModifier); // over the "0/0000" of no job
                    Type("1");
                    Press(Qt::Key_Tab);
                    ASSERT_EQ(odbyt->QZakRek.FieldByName("C_INT")->AsInteger(), 260001);
                    closeAs(c, d, d->BtnNezapis);
                    if (c.stays) {
                        EXPECT_EQ(odbyt->QZakRek.FieldByName("C_INT")->AsInteger(), 260001);
                        ClickOn(d->BtnNezapis);
                    }
                },
                f);
            // Stored as by Zapíš: a new protocol comes up in print.
            bool printed = false;
            if (c.stored) {
                WhenModal<TQTlacForm>([](TQTlacForm *) { Press(Qt::Key_Escape); });
                WhenModal<TReportPreview>([&](TReportPreview *) {
                    printed = true;
                    Press(Qt::Key_Escape);
                });
            }
            ClickOn(f->BtnNovy);
            EXPECT_EQ(count("select count(*) from ZAKREK where C_INT=260001"), c.stored ? 1 : 0);
            EXPECT_EQ(printed, c.stored);
        }
        // Another workstation stores the proposed number meanwhile: Áno's save is refused, the protocol stays.
        WhenModal<TZakRekDForm>(
            [&](TZakRekDForm *d) {
                QWidget *job = d->DBeC_INT->Edit();
                ASSERT_TRUE(WaitFor("the job has the focus", [job] { return job->hasFocus(); }));
                Press(Qt::Key_A, Qt::ControlModifier);
                Type("1");
                Press(Qt::Key_Tab);
                exec("insert into ZAKREK (C_REK, C_INT) values ('" +
                     odbyt->QZakRek.FieldByName("C_REK")->AsString().trimmed() + "', 0)");
                responder->MessageAnswers.push_back(mrYes);
                closeBy(EscapeKey, d, d->BtnNezapis);
                EXPECT_TRUE(d->isVisible()) << "a refused save closed the protocol";
                EXPECT_EQ(odbyt->QZakRek.FieldByName("C_INT")->AsInteger(), 260001);
                ClickOn(d->BtnNezapis);
            },
            f);
        ClickOn(f->BtnNovy);
        ClickOn(f->BtnKoniec);
    });
    ShowComplaints();
    EXPECT_EQ(count("select count(*) from ZAKREK where C_INT=260001"), 0);
}

} // namespace
