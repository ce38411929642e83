// The program's own controls with real key presses: edits that move the focus, the run-time form, the
// option chooser, the standard buttons and the masked edits.
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "library/Buttons.h"
#include "library/xEdit.h"
#include "library/xForm.h"
#include "library/xMaskEdit.h"
#include "platform/ui/MaskEdit.h"
#include "platform/os/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/RadioGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
void showActive(QWidget *w)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(ShowActive(w));
}

// Three edits in a form, the middle one a TxEdit.
struct EditForm : TForm {
    QLineEdit *before = new QLineEdit(this);
    TxEdit *edit = new TxEdit(this);
    QLineEdit *after = new QLineEdit(this);
    EditForm()
    {
        auto *l = new QVBoxLayout(this);
        l->addWidget(before);
        l->addWidget(edit);
        l->addWidget(after);
    }
};

// Runs the modal dialog that code under test opens, doing the steps on it once it is up.
void onModalDialog(std::function<void(QWidget *)> steps)
{
    WhenModal([steps](QWidget *dialog) {
        dialog->activateWindow();
        ShowActive(dialog);
        steps(dialog);
    });
}
} // namespace

TEST(TxEdit, EnterAndDownMoveOnUpDoesNot)
{
    EditForm f;
    showActive(&f);
    TabTo(f.edit);
    QTest::keyClick(f.edit, Qt::Key_Return);
    EXPECT_TRUE(f.after->hasFocus());
    TabTo(f.edit);
    QTest::keyClick(f.edit, Qt::Key_Down);
    EXPECT_TRUE(f.after->hasFocus());
    TabTo(f.edit);
    QTest::keyClick(f.edit, Qt::Key_Up);
    EXPECT_TRUE(f.edit->hasFocus());
}

TEST(TxEdit, EnterStaysWhenEnterToTabIsOff)
{
    QWidget window; // not a form of ours: nothing else moves the focus on Enter
    auto *edit = new TxEdit(&window);
    auto *other = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(edit);
    window.layout()->addWidget(other);
    edit->EnterToTab = false;
    showActive(&window);
    TabTo(edit);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_TRUE(edit->hasFocus());
    edit->EnterToTab = true;
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_TRUE(other->hasFocus()) << "outside our forms the move goes as Tab would";
}

// The field a window gives the focus as it opens is typed over, as one reached by Tab is; the focus coming
// back with the window (after another window) keeps the caret where it was, so typing adds to the value.
TEST(TxEdit, TheFieldAWindowOpensInIsTypedOverAndOneItComesBackToIsNot)
{
    const struct {
        const char *kind;
        std::function<QLineEdit *(QWidget *)> make;
    } cases[] = {
        {"TxEdit", [](QWidget *p) { return new TxEdit(p); }},
        {"TMaskEdit", [](QWidget *p) { return new TMaskEdit(p); }},
        {"TMaskEdit 9999",
         [](QWidget *p) {
             auto *e = new TMaskEdit(p);
             e->SetEditMask(QStringLiteral("9999;0;_"));
             return e;
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        TForm form;
        QLineEdit *edit = c.make(&form);
        (new QVBoxLayout(&form))->addWidget(edit);
        form.layout()->addWidget(new QLineEdit(&form));
        edit->setText(QStringLiteral("12")); // the value the program shows as the window opens
        ASSERT_TRUE(ShowActive(&form, "the form opens"));
        ASSERT_TRUE(edit->hasFocus());
        Type(QStringLiteral("3"));
        EXPECT_EQ(edit->text().trimmed(), QStringLiteral("3")) << "typed over as the window opened";
        QWidget other;
        ASSERT_TRUE(ShowActive(&other, "another window comes forward"));
        ASSERT_TRUE(ShowActive(&form, "the form comes back"));
        Type(QStringLiteral("4"));
        EXPECT_EQ(edit->text().trimmed(), QStringLiteral("34")) << "the caret kept where it was";
        other.hide();
        form.hide();
        ASSERT_TRUE(ShowActive(&form, "the form opens again"));
        Type(QStringLiteral("5"));
        EXPECT_EQ(edit->text().trimmed(), QStringLiteral("5")) << "typed over as the window opened again";
    }
}

TEST(TxEdit, CharacterFilters)
{
    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    FormatSettings().DateSeparator = QLatin1Char('.');
    EditForm f;
    showActive(&f);
    TabTo(f.edit);
    const struct {
        TxEditStyle style;
        const char *typed;
        const char *kept;
    } cases[] = {
        {esInteger, "1a2,3 b", "123 "}, // a blank (code 32) is not filtered
        {esFloat, "12,5.x", "12,5"},
        {esDate, "1.2/2024-", "1.22024"},
        {esGeneral, "ab,1.", "ab,1."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        f.edit->clear();
        f.edit->EditStyle = c.style;
        QTest::keyClicks(f.edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(f.edit->text(), QString::fromUtf8(c.kept));
    }
    f.edit->EditStyle = esInteger;
    f.edit->setText(QStringLiteral("12"));
    QTest::keyClick(f.edit, Qt::Key_Backspace);
    EXPECT_EQ(f.edit->text(), QStringLiteral("1")) << "control keys pass";
    FormatSettings() = saved;
}

TEST(TxEdit, ColourWhileFocused)
{
    EditForm f;
    const QColor normal = f.edit->palette().color(QPalette::Base);
    f.edit->SetColorOnEnter(QColor(255, 255, 160));
    showActive(&f);
    TabTo(f.edit);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.edit->palette().color(QPalette::Base), QColor(255, 255, 160));
    TabTo(f.after);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.edit->palette().color(QPalette::Base), normal);
}

TEST(TxForm, EnterDownAndUpMoveBetweenControls)
{
    TxForm form(nullptr, 20, 3, QStringLiteral("Test"));
    EXPECT_EQ(form.size(), QSize(160, 3 * 24 + 16));
    auto *a = new QLineEdit(&form);
    auto *b = new QComboBox(&form);
    auto *c = new QLineEdit(&form);
    a->setGeometry(0, 0, 100, 21);
    b->setGeometry(0, 24, 100, 21);
    c->setGeometry(0, 48, 100, 21);
    showActive(&form);
    TabTo(a);
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_TRUE(b->hasFocus());
    QTest::keyClick(b, Qt::Key_Down);
    EXPECT_TRUE(c->hasFocus()) << "Down moves on even from a combo box";
    QTest::keyClick(c, Qt::Key_Up);
    EXPECT_TRUE(b->hasFocus());
    QTest::keyClick(b, Qt::Key_Up);
    EXPECT_TRUE(a->hasFocus());
    QTest::keyClicks(a, QStringLiteral("x"));
    EXPECT_EQ(a->text(), QStringLiteral("x"));
}

TEST(TxForm, ValuesOfNamedControls)
{
    TxForm form(nullptr, 20, 3, QString());
    auto named = [&](QWidget *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    auto *number = static_cast<QLineEdit *>(named(new QLineEdit(&form), "eCislo"));
    auto *combo = static_cast<QComboBox *>(named(new QComboBox(&form), "cbVyber"));
    auto *check = static_cast<QCheckBox *>(named(new QCheckBox(&form), "chk"));
    named(new QLineEdit(&form), "ePrazdny");
    combo->addItems({"a", "b", "c"});
    combo->setCurrentIndex(2);
    check->setChecked(true);
    number->setText(QStringLiteral(" 12,75 "));
    EXPECT_DOUBLE_EQ(TxForm::GetValue(&form, QStringLiteral(" eCislo ")), 12.75);
    EXPECT_EQ(TxForm::GetIntValue(&form, QStringLiteral("eCislo")), 12);
    EXPECT_EQ(TxForm::GetIntValue(&form, QStringLiteral("cbVyber")), 3);
    EXPECT_EQ(TxForm::GetIntValue(&form, QStringLiteral("chk")), 1);
    EXPECT_EQ(TxForm::GetValue(&form, QStringLiteral("ePrazdny")), 0);
    EXPECT_EQ(TxForm::GetValue(&form, QStringLiteral("nikto")), 0);
    number->setText(QStringLiteral("abc"));
    EXPECT_EQ(TxForm::GetValue(&form, QStringLiteral("eCislo")), 0);
    EXPECT_EQ(TxForm::FindControl(&form, QStringLiteral("chk")), check);
}

TEST(TxForm, RadioGroupLayout)
{
    TxForm form(nullptr, 25, 3, QString());
    TRadioGroup *g = TxForm::AddRadioGroup(&form, 1, 2, false, 10, QStringLiteral("A,B,C"), QStringLiteral("rg"));
    EXPECT_EQ(g->geometry(), QRect(16, 24, 80, 3 * 24 + 8));
    EXPECT_EQ(g->Items(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(g->ItemIndex(), -1);
    EXPECT_EQ(TxForm::GetIntValue(&form, QStringLiteral("rg")), 0);
    TRadioGroup *full = TxForm::AddRadioGroup(&form, 0, 0, false, 0, QStringLiteral("X"), QStringLiteral("rg2"));
    EXPECT_EQ(full->width(), form.width());
}

TEST(ChooseOption, CommaTextItems)
{
    const struct {
        const char *text;
        QStringList items;
    } cases[] = {
        {"\"Doklad\",\"Zostavu\"", {"Doklad", "Zostavu"}},
        {"A,B,C", {"A", "B", "C"}},
        {"A,,B", {"A", "", "B"}},
        {" A B ,C,", {"A", "B", "C"}},
        {"\"Skladový \"\"pohyb\"\", ks\",X", {"Skladový \"pohyb\", ks", "X"}},
        {"", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCommaText(QString::fromUtf8(c.text)), c.items);
    }
}

TEST(ChooseOption, ClickOnTheSecondItemGivesTwo)
{
    onModalDialog([](QWidget *dialog) {
        auto *group = dialog->findChild<TRadioGroup *>(QStringLiteral("rbTlac"));
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tlačiť"));
        QList<QRadioButton *> radios = group->findChildren<QRadioButton *>();
        ASSERT_EQ(radios.size(), 2);
        EXPECT_EQ(radios[1]->text(), QStringLiteral("Zostavu"));
        QTest::mouseClick(radios[1], Qt::LeftButton);
    });
    EXPECT_EQ(ChooseOption(QStringLiteral("\"Doklad\",\"Zostavu\""), QStringLiteral("Tlačiť")), 2);
}

TEST(ChooseOption, AnOptionIsAllBetweenTwoCommasBlanksAndAll)
{
    EXPECT_EQ(SplitOptions(QString::fromUtf8("Potvrdenie objednávky,Zoznam zákaziek, Zoznam kúpnych zmlúv ")),
              QStringList({"Potvrdenie objednávky", "Zoznam zákaziek", "Zoznam kúpnych zmlúv"}));
    EXPECT_EQ(SplitOptions(QStringLiteral("\"Doklad\",\"Zostavu\"")), QStringList({"Doklad", "Zostavu"}));
    EXPECT_EQ(SplitOptions(QString::fromUtf8("\"Súpis, \"\"A\"\"\",B")), QStringList({"Súpis, \"A\"", "B"}));
    EXPECT_EQ(SplitOptions(QStringLiteral("A,,B")), QStringList({"A", "", "B"}));

    // Three options of two words each: three radio buttons showing them whole, inside the dialog.
    onModalDialog([](QWidget *dialog) {
        QList<QRadioButton *> radios = dialog->findChildren<QRadioButton *>();
        QStringList texts;
        for (QRadioButton *r : radios) {
            texts << r->text();
            EXPECT_TRUE(dialog->rect().contains(QRect(r->mapTo(dialog, QPoint()), r->size())))
                << r->text().toStdString();
        }
        EXPECT_EQ(texts, QStringList({QString::fromUtf8("Potvrdenie objednávky"), QString::fromUtf8("Zoznam zákaziek"),
                                      QString::fromUtf8("Zoznam kúpnych zmlúv")}));
        QTest::mouseClick(radios.value(2), Qt::LeftButton);
    });
    EXPECT_EQ(ChooseOption(QString::fromUtf8("Potvrdenie objednávky,Zoznam zákaziek,Zoznam kúpnych zmlúv"),
                           QString::fromUtf8("Tlačiť")),
              3);
}

TEST(ChooseOption, ALongOptionWidensTheDialogToShowItWhole)
{
    onModalDialog([](QWidget *dialog) {
        const QList<QRadioButton *> radios = dialog->findChildren<QRadioButton *>();
        ASSERT_EQ(radios.size(), 4);
        for (QRadioButton *r : radios) {
            SCOPED_TRACE(r->text().toStdString());
            EXPECT_GE(r->width(), r->sizeHint().width());
            EXPECT_TRUE(dialog->rect().contains(QRect(r->mapTo(dialog, QPoint()), r->size())));
        }
        QTest::mouseClick(radios.value(0), Qt::LeftButton);
    });
    EXPECT_EQ(ChooseOption(QString::fromUtf8("Skladový súpis so zásobou,Skladový súpis,Skladovú kartu,Kartu náradia"),
                           QString::fromUtf8("Tlačiť")),
              1);
}

TEST(ChooseOption, DownAndUpGoFromOptionToOptionAndSpaceChooses)
{
    // By keys alone every option can be reached; moving over an option does not choose it.
    onModalDialog([](QWidget *dialog) {
        const QList<QRadioButton *> radios = dialog->findChildren<QRadioButton *>();
        ASSERT_EQ(radios.size(), 4);
        const auto press = [dialog](Qt::Key key) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == dialog ? focus : dialog, key);
        };
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), radios[3]);
        press(Qt::Key_Up);
        EXPECT_EQ(QApplication::focusWidget(), radios[2]);
        EXPECT_TRUE(dialog->isVisible());
        press(Qt::Key_Space);
    });
    EXPECT_EQ(
        ChooseOption(QString::fromUtf8("DL Bez ceny,DL s Cenou v €,DL s Cenou v mene,Faktúra"), QStringLiteral("Tlač")),
        3);
}

TEST(ChooseOption, TheDialogHasRoomForItsTitleBesideTheWindowsButtons)
{
    // Two short options under a longer title: the title bar, which holds the window's icon and three buttons
    // besides the title in bold, must not cut it ("Stav o… návky").
    onModalDialog([](QWidget *dialog) {
        QFont bold = dialog->font();
        bold.setBold(true);
        EXPECT_GE(dialog->width(), QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) + 100);
        QTest::mouseClick(dialog->findChildren<QRadioButton *>().value(1), Qt::LeftButton);
    });
    EXPECT_EQ(ChooseOption(QString::fromUtf8("Potvrdená,Dodaná"), QString::fromUtf8("Stav objednávky")), 2);
}

TEST(ChooseOption, ClosedWithoutAChoiceGivesMinusOne)
{
    onModalDialog([](QWidget *dialog) { dialog->close(); }); // the window's close button
    EXPECT_EQ(ChooseOption(QStringLiteral("A,B,C"), QStringLiteral("Vyber")), -1);
    // Escape, without a Cancel button, closes it as the close button does.
    onModalDialog([](QWidget *dialog) {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == dialog ? focus : dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(ChooseOption(QStringLiteral("A,B,C"), QStringLiteral("Vyber")), -1);
}

TEST(Buttons, CaptionsKindsAndResults)
{
    const struct {
        TBitBtn *button;
        const char *caption;
        int result;
        bool isDefault, isCancel;
    } cases[] = {
        {new TBtnNovy, "&Nový", mrNone, false, false},        {new TBtnOprav, "&Oprav", mrNone, false, false},
        {new TBtnZmaz, "&Zmaž", mrNone, false, false},        {new TBtnZapis, "&Zapíš", mrOk, false, false},
        {new TBtnNezapis, "&Nezapíš", mrCancel, false, true}, {new TBtnTlac, "&Tlač", mrNone, false, false},
        {new TBtnKoniec, "&Koniec", mrCancel, false, true},   {new TBtnFilter, "&Vyber", mrNone, false, false},
        {new TBtnAll, "&Všetko", mrNone, false, false},       {new TBtnObnov, "&Opakovať", mrNone, false, false},
    };
    for (const auto &c : cases) {
        std::unique_ptr<TBitBtn> b(c.button);
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(b->ModalResult(), c.result);
        EXPECT_EQ(b->Default(), c.isDefault);
        EXPECT_EQ(b->Cancel(), c.isCancel);
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_EQ(b->size(), QSize(75, 25));
    }
    EXPECT_EQ(TBtnZapis().Kind(), bkOK);
    EXPECT_EQ(TBtnObnov().Kind(), bkRetry);
}

namespace {
template <class CancelButton> int escapeInDialog()
{
    TForm form;
    auto *edit = new TxEdit(&form);
    auto *save = new TBtnZapis(&form);
    new CancelButton(&form);
    (new QVBoxLayout(&form))->addWidget(edit);
    form.layout()->addWidget(save);
    int saves = 0;
    QObject::connect(save, &QPushButton::clicked, [&] { ++saves; });
    onModalDialog([&](QWidget *) {
        TabTo(edit);
        QTest::keyClick(edit, Qt::Key_Return); // moves on, never saves
        EXPECT_EQ(saves, 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    const int result = form.ShowModal();
    EXPECT_EQ(saves, 0);
    return result;
}
} // namespace

TEST(Buttons, EscapeClosesThroughKoniecOrNezapisAndEnterDoesNotSave)
{
    EXPECT_EQ(escapeInDialog<TBtnKoniec>(), mrCancel);
    EXPECT_EQ(escapeInDialog<TBtnNezapis>(), mrCancel);
}

TEST(MaskEdits, DateEditIsEmptyUntilSomethingIsTyped)
{
    TForm form;
    auto *date = new TmeDATUM(&form);
    EXPECT_EQ(date->width(), 65);
    EXPECT_EQ(date->EditMask(), QStringLiteral("90/90/\\2\\000;1;_"));
    showActive(&form);
    TabTo(date);
    date->setCursorPosition(0);
    EXPECT_TRUE(IsMaskEditEmpty(date));
    QTest::keyClicks(date, QStringLiteral("1"));
    EXPECT_FALSE(IsMaskEditEmpty(date));
    date->clear();
    date->setCursorPosition(0);
    EXPECT_TRUE(IsMaskEditEmpty(date));
    QTest::keyClicks(date, QStringLiteral("010224")); // the century is part of the mask
    EXPECT_EQ(date->Text(), QStringLiteral("01.02.2024"));
}

TEST(MaskEdits, DateEditTakesTheYearInFullAndRefusesADateThatDoesNotExist)
{
    TTestResponder answers;
    TForm form;
    auto *date = new TmeDATUM(&form);
    auto *next = new QLineEdit(&form);
    next->move(0, 30);
    showActive(&form);
    TabTo(date);
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("15.1.2027")); // the fixed century typed along
    EXPECT_EQ(date->Date(), QDate(2027, 1, 15));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());

    TabTo(date);
    QTest::keyClicks(date, QStringLiteral("31.2.2027"));
    QTest::keyClick(date, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8("'31.2.2027' nie je platný dátum")});
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(date->Text(), QStringLiteral("31.2 .2027"));
}

TEST(MaskEdits, ProductNumberEditTakesTheMaskInForceWhenMade)
{
    SetProductNumberMask(QString());
    TForm form;
    auto *plain = new TmeC_VYR(&form);
    EXPECT_TRUE(plain->inputMask().isEmpty());
    SetProductNumberMask(QStringLiteral("LL000;0;_"));
    auto *masked = new TmeC_VYR(&form);
    EXPECT_FALSE(masked->inputMask().isEmpty());
    EXPECT_TRUE(plain->inputMask().isEmpty()) << "an edit made earlier keeps its mask";
    showActive(&form);
    TabTo(masked);
    masked->setCursorPosition(0);
    QTest::keyClicks(masked, QStringLiteral("ab123"));
    EXPECT_EQ(masked->Text(), QStringLiteral("AB123"));
    TabTo(plain);
    QTest::keyClicks(plain, QStringLiteral("v-12"));
    EXPECT_EQ(plain->Text(), QStringLiteral("V-12"));
    EXPECT_EQ(masked->width(), 89);
    SetProductNumberMask(QString());
}

TEST(MaskedEdits, ProductNumberRefusesADigitWhereTheMaskWantsALetter)
{
    SetProductNumberMask(QStringLiteral("LL-000;1;_"));
    TForm form;
    auto *edit = new TmeC_VYR(&form);
    SetProductNumberMask(QString());
    showActive(&form);
    TabTo(edit);
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("1"));
    EXPECT_EQ(edit->EditText(), "__-___") << "the digit is not carried on to the number";
    EXPECT_EQ(edit->cursorPosition(), 0);
    QTest::keyClicks(edit, QStringLiteral("v2"));
    EXPECT_EQ(edit->EditText(), "V_-___");
    QTest::keyClicks(edit, QStringLiteral("x-12a3"));
    EXPECT_EQ(edit->EditText(), "VX-123") << "the literal may be typed; a letter among the digits is refused";

    // A typed separator still skips the optional day digit of the date edit.
    auto *date = new TmeDATUM(&form);
    date->show();
    TabTo(date);
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("1") + FormatSettings().DateSeparator + QStringLiteral("x2"));
    EXPECT_EQ(date->EditText().left(4), QStringLiteral("1_") + FormatSettings().DateSeparator + QStringLiteral("2"));
}
