// The dialogs that fill their record as they come up, closed with one field typed: the title bar's button and
// Escape bring the question "Uložiť zmeny?", whose Zrušiť leaves the dialog open with the typed text; Nie
// closes it. Opened and closed without typing, they close at once without a question.
#include "RoadFixture.h"

#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "dispatch/EDListyDForm.h"
#include "dispatch/EDListyForm.h"
#include "material/DMMTZ.h"
#include "material/MObjednavkyForm.h"
#include "material/MPohybDForm.h"
#include "material/MPolozkyForm.h"
#include "library/Buttons.h"
#include "library/xDBFilter.h"
#include "platform/ui/DBControls.h"
#include "sales/FormZakazkaDetHl.h"
#include "sales/FormZakazkaHl.h"
#include "sales/ZakKalkForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>

namespace {

QString shown(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(field))
        return combo->currentText();
    return QString();
}

void closeByTitleBar(QWidget *dialog)
{
    QCloseEvent e;
    QApplication::sendEvent(dialog, &e);
    Settle();
}

// The field of a dialog of the class, null for another window.
template <class T> std::function<QWidget *(TForm *)> fieldOf(std::function<QWidget *(T *)> pick)
{
    return [pick](TForm *f) -> QWidget * {
        auto *d = qobject_cast<T *>(f);
        return d ? pick(d) : nullptr;
    };
}

int questions(const QStringList &texts)
{
    return int(texts.count(QString::fromUtf8("Uložiť zmeny?")));
}

struct TDialogCase {
    const char *name;
    // The field typed into, in the dialog that came up (null: another window came).
    std::function<QWidget *(TForm *)> field;
    QString text;
    bool backwards = false; // reached by Shift+Tab (a field before it would pick from a list when left)
};

} // namespace

TEST_F(RoadTest, DialogsFilledAsTheyOpenAskOnlyAboutWhatWasTyped)
{
    auto mtz = std::make_unique<TDMMTZ>();
    TMObjednavkyForm purchases;
    TEDListyForm notes;
    TMPolozkyForm items;
    const int job = count("select min(C_INT) from ZAKAZKYD where C_INT>0");
    ASSERT_GT(job, 0);
    const QString product =
        value(QStringLiteral("select C_VYR from ZAKAZKYD where C_INT=%1").arg(job)).toString().trimmed();
    const QString material = value("select min(C_POL) from POLOZKY where TYP1='M'").toString().trimmed();
    ASSERT_FALSE(material.isEmpty());
    // How each dialog is opened, as its list's command opens it.
    const std::pair<TDialogCase, std::function<void()>> cases[] = {
        {{"order header", fieldOf<TFormZakazkaHl>([](auto *d) -> QWidget * { return d->DBcbVYSTAVIL; }),
          QString::fromUtf8("Ľuboš O'Neill"), true},
         [] {
             QString order;
             EditOrderHeader(order);
         }},
        {{"order item", fieldOf<TFormZakazkaDetHl>([](auto *d) -> QWidget * { return d->DBePOZNAMKA; }),
          QString::fromUtf8("Šťastná d'Arc")},
         [this, job, product] {
             odbyt->QZakazkyD.Open();
             odbyt->QZakazkyD.Append();
             odbyt->QZakazkyD.FieldByName("C_INT_RE")->SetValue(job);
             odbyt->QZakazkyD.FieldByName("C_VYR")->SetValue(product);
             if (!EditOrderItem())
                 odbyt->QZakazkyD.Cancel();
         }},
        {{"calculation", fieldOf<TZakKalkForm>([](auto *d) { return d->FieldControl("CENA_MAT"); }), "2"},
         [job] { ShowCalculation(job); }},
        {{"delivery note", fieldOf<TEDListyDForm>([](auto *d) -> QWidget * { return d->DBePATA_DL; }),
          QString::fromUtf8("Ďakujeme, O'Brien")},
         [&notes] { notes.NewNote(); }},
        {{"stock movement", fieldOf<TMPohybDForm>([](auto *d) -> QWidget * { return d->ePoznamka; }),
          QString::fromUtf8("Vrátené z dielne č'2")},
         [&material] {
             int number = 0;
             NewStockMovementForDocument(10, number, material, 1);
         }},
        {{"stock item", fieldOf<TMPolozkyDForm>([](auto *d) -> QWidget * { return d->eNazov; }),
          QString::fromUtf8("Kokila ľavá 'A'")},
         [&items] {
             items.ApplyItemQuickSearch({}, {}, true);
             items.NewItem();
         }},
        {{"purchase order", fieldOf<TMObjednavkyDForm>([](auto *d) -> QWidget * { return d->eCObj; }),
          QString::fromUtf8("Č'12")},
         [&purchases] {
             purchases.cbFilter->SetItemIndex(0);
             purchases.cbFilter->ApplyFilter();
             DMMTZ->QMObjD.Open();
             purchases.show();
             ClickOn(purchases.btnNovy);
         }},
    };
    for (const auto &[c, open] : cases) {
        SCOPED_TRACE(c.name);
        // Typed: each close asks; Zrušiť (the box's cancelling answer) stays with the text, Nie closes.
        responder->Messages.clear();
        responder->MessageAnswers.clear();
        bool seen = false;
        WhenModal<TForm>([&](TForm *d) {
            QWidget *field = c.field(d);
            ASSERT_NE(field, nullptr) << "another window came up";
            seen = true;
            ASSERT_TRUE(c.backwards ? BacktabTo(field) : TabTo(field));
            Type(c.text);
            Press(Qt::Key_Tab);
            closeByTitleBar(d);
            EXPECT_EQ(questions(responder->Texts()), 1);
            ASSERT_TRUE(d->isVisible()) << "Zrušiť closed it (title bar)";
            EXPECT_TRUE(shown(field).startsWith(c.text)) << shown(field).toStdString();
            Press(Qt::Key_Escape);
            EXPECT_EQ(questions(responder->Texts()), 2);
            ASSERT_TRUE(d->isVisible()) << "Zrušiť closed it (Escape)";
            EXPECT_TRUE(shown(field).startsWith(c.text)) << shown(field).toStdString();
            responder->MessageAnswers.push_back(mrNo);
            closeByTitleBar(d);
            EXPECT_FALSE(d->isVisible());
        });
        open();
        EXPECT_TRUE(seen);
        CancelWhenModal();
        // Not typed: Escape closes it without a question.
        responder->Messages.clear();
        bool closed = false;
        WhenModal<TForm>([&](TForm *d) {
            Press(Qt::Key_Escape);
            closed = !d->isVisible();
        });
        open();
        EXPECT_TRUE(closed) << "an untyped dialog stayed open";
        EXPECT_EQ(questions(responder->Texts()), 0);
        CancelWhenModal();
    }
}
