// The form base: Enter, Escape and modal results as the program's dialogs use them.
#include "common/PersonTyping.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/Guarded.h"
#include "platform/os/Exception.h"
#include "common/WhenModal.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
struct Dialog : TForm {
    QLineEdit *first = new QLineEdit(this);
    QLineEdit *second = new QLineEdit(this);
    TButton *ok = new TButton(QStringLiteral("OK"), this);
    TButton *cancel = new TButton(QStringLiteral("Zrušiť"), this);
    int okClicks = 0, cancelClicks = 0;
    Dialog()
    {
        auto *l = new QVBoxLayout(this);
        for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(second), static_cast<QWidget *>(ok),
                           static_cast<QWidget *>(cancel)})
            l->addWidget(w);
        ok->SetModalResult(mrOk);
        cancel->SetModalResult(mrCancel);
        connect(ok, &QPushButton::clicked, this, [this] { ++okClicks; });
        connect(cancel, &QPushButton::clicked, this, [this] { ++cancelClicks; });
    }
    void showActive()
    {
        show();
        activateWindow();
        ASSERT_TRUE(ShowActive(this));
        TabTo(first);
        QCoreApplication::processEvents();
    }
};

// Runs the form modally, doing the steps once its loop runs (a form that never closes fails the test through
// the test main's watch of modal windows, which then closes it).
int runModal(TForm &form, std::function<void()> steps)
{
    QTimer::singleShot(0, &form, [&] {
        form.activateWindow();
        ShowActive(&form);
        steps();
    });
    return form.ShowModal();
}
} // namespace

TEST(Form, EnterMovesToTheNextControlWhenNoButtonIsDefault)
{
    Dialog d;
    d.showActive();
    QTest::keyClick(d.first, Qt::Key_Return);
    EXPECT_TRUE(d.second->hasFocus());
    QTest::keyClick(d.second, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(d.ok->hasFocus());
    EXPECT_EQ(d.okClicks, 0);
}

TEST(Form, EnterPressesOnlyTheDefaultButton)
{
    Dialog d;
    d.cancel->SetDefault(true);
    d.showActive();
    QTest::keyClick(d.first, Qt::Key_Return);
    EXPECT_EQ(d.cancelClicks, 1);
    EXPECT_EQ(d.okClicks, 0);
    EXPECT_TRUE(d.first->hasFocus());
    EXPECT_EQ(d.ModalResult(), mrCancel);
}

TEST(Form, EnterInAMemoStaysInTheMemo)
{
    Dialog d;
    auto *memo = new QPlainTextEdit(&d);
    d.layout()->addWidget(memo);
    d.showActive();
    TabTo(memo);
    QTest::keyClicks(memo, QStringLiteral("a"));
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("a\n"));
}

TEST(Form, EscapePressesTheCancelButtonShownAndEnabled)
{
    Dialog d;
    d.cancel->SetCancel(true);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.first, Qt::Key_Escape); }), mrCancel);
    EXPECT_EQ(d.cancelClicks, 1);

    // A plain push button named as the form's Cancel button, whose click does the closing itself.
    d.cancel->SetCancel(false);
    auto *koniec = new QPushButton(QStringLiteral("&Koniec"), &d);
    d.layout()->addWidget(koniec);
    int koniecClicks = 0;
    QObject::connect(koniec, &QPushButton::clicked, &d, [&] {
        ++koniecClicks;
        d.SetModalResult(mrAbort);
    });
    d.SetCancelButton(koniec);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.first, Qt::Key_Escape); }), mrAbort);
    EXPECT_EQ(koniecClicks, 1);

    // A disabled Cancel button is not pressed: the form closes as without one.
    koniec->setEnabled(false);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.first, Qt::Key_Escape); }), mrCancel);
    EXPECT_EQ(koniecClicks, 1);
    EXPECT_EQ(d.cancelClicks, 1);
}

// Without a Cancel button Escape closes the form as its title bar's button does: the form's close query and
// close action decide, modal or not.
TEST(Form, EscapeWithoutACancelButtonClosesAsTheTitleBarDoes)
{
    Dialog d;
    int queries = 0, closes = 0;
    d.OnCloseQuery = [&](bool &canClose) { canClose = ++queries > 1; };
    d.OnClose = [&](TCloseAction &) { ++closes; };
    int result = runModal(d, [&] {
        TabTo(d.first);
        QTest::keyClick(d.first, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible()) << "the close query refused";
        EXPECT_EQ(closes, 0);
        QTest::keyClick(d.first, Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(d.okClicks + d.cancelClicks, 0) << "no button was pressed";

    // Shown modeless, it is closed by its close action.
    d.showActive();
    QTest::keyClick(d.first, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(queries, 3);
    EXPECT_EQ(closes, 2);
}

// A form shown as a part of another window leaves Escape to that window.
TEST(Form, EscapeInAFormInsideAnotherWindowIsLeftToThatWindow)
{
    Dialog outer;
    outer.cancel->SetCancel(true);
    auto *inner = new TForm(&outer);
    inner->setWindowFlags(Qt::Widget);
    auto *edit = new QLineEdit(inner);
    (new QVBoxLayout(inner))->addWidget(edit);
    outer.layout()->addWidget(inner);
    int result = runModal(outer, [&] {
        TabTo(edit);
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(outer.cancelClicks, 1);
    EXPECT_TRUE(inner->isVisibleTo(&outer)) << "the inner form did not close itself";
}

TEST(Form, AClickHandlerCanTakeTheModalResultBack)
{
    Dialog d;
    bool refuse = true;
    QObject::connect(d.ok, &QPushButton::clicked, &d, [&] {
        if (refuse)
            d.SetModalResult(mrNone);
    });
    int result = runModal(d, [&] {
        d.ok->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        refuse = false;
        d.ok->click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(d.okClicks, 2);
}

// A button's modal result waits for its click handlers: the save runs while the form is still open, and a
// refused save (an error or an abort through Guarded) keeps it open, whether clicked or pressed by Enter.
TEST(Form, AButtonsResultWaitsForItsHandlersAndARefusalKeepsTheFormOpen)
{
    TTestResponder responder;
    Dialog d;
    d.ok->SetDefault(true);
    int refuse = 2;
    QStringList seen;
    QObject::connect(d.ok, &QPushButton::clicked, &d, [&] {
        Guarded([&] {
            seen << QString::number(d.ModalResult());
            if (refuse == 2)
                throw Exception(QString::fromUtf8("Záznam s duplicitným kľúčom"));
            if (refuse == 1)
                Abort();
        });
    });
    int result = runModal(d, [&] {
        TabTo(d.first);
        QTest::keyClicks(d.first, "typed 12");
        QTest::mouseClick(d.ok, Qt::LeftButton);
        QCoreApplication::processEvents(); // the close, were one queued
        EXPECT_TRUE(d.isVisible()) << "an error closed the form";
        ASSERT_EQ(responder.Messages.size(), 1);
        EXPECT_EQ(d.first->text(), "typed 12");
        refuse = 1;
        TabTo(d.first);
        QTest::keyClick(d.first, Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible()) << "an abort closed the form";
        EXPECT_EQ(responder.Messages.size(), 1) << "an abort is silent";
        EXPECT_EQ(d.ModalResult(), mrNone);
        refuse = 0;
        QTest::mouseClick(d.ok, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(seen, (QStringList{"0", "0", "0"})) << "the handler ran before the result was handed over";
    EXPECT_EQ(d.okClicks, 3);
}

// A handler connected later still runs before the result; one connected during a click runs from the next.
TEST(Form, TheResultFollowsHandlersConnectedLater)
{
    Dialog d;
    int results = -1;
    bool connected = false;
    QObject::connect(d.ok, &QPushButton::clicked, &d, [&] {
        if (connected)
            return;
        connected = true;
        QObject::connect(d.ok, &QPushButton::clicked, &d, [&] { results = d.ModalResult(); });
        d.SetModalResult(mrNone); // this click is taken back
    });
    int result = runModal(d, [&] {
        d.ok->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(results, -1) << "a handler connected during a click is not called by it";
        d.ok->click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(results, int(mrNone)) << "the later handler ran before the result was handed over";
}

TEST(Form, CloseQueryAndCloseActionCanKeepTheFormOpen)
{
    Dialog d;
    int queries = 0;
    d.OnCloseQuery = [&](bool &canClose) { canClose = ++queries > 1; };
    TCloseAction next = caNone;
    d.OnClose = [&](TCloseAction &action) { action = next; };
    int result = runModal(d, [&] {
        d.ok->click(); // refused by the query
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.ModalResult(), mrNone);
        d.ok->click(); // allowed, but the close action is caNone
        QCoreApplication::processEvents();
        EXPECT_TRUE(d.isVisible());
        next = caHide;
        d.ok->click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(queries, 3);
}

TEST(Form, TheWindowsCloseButtonGivesCancel)
{
    Dialog d;
    EXPECT_EQ(runModal(d, [&] { d.close(); }), mrCancel);
    EXPECT_EQ(runModal(d, [&] { d.Close(); }), mrCancel);
}

TEST(Form, KeyPreviewSeesKeysBeforeTheControl)
{
    Dialog d;
    d.KeyPreview = true;
    QList<int> seen;
    d.OnKeyDown = [&](int &key, Qt::KeyboardModifiers) {
        seen << key;
        if (key == Qt::Key_F12 || key == Qt::Key_X)
            key = 0;
    };
    d.showActive();
    QTest::keyClick(d.first, Qt::Key_X);
    QTest::keyClick(d.first, Qt::Key_Y);
    QTest::keyClick(d.first, Qt::Key_F12);
    EXPECT_EQ(d.first->text(), QStringLiteral("y"));
    EXPECT_EQ(seen, (QList<int>{Qt::Key_X, Qt::Key_Y, Qt::Key_F12})) << "each key once, not again from the parents";

    d.KeyPreview = false;
    QTest::keyClick(d.first, Qt::Key_X);
    EXPECT_EQ(d.first->text(), QStringLiteral("yx"));
}

TEST(Form, ShowAndHideHooksAndStatusText)
{
    Dialog d;
    QStringList events;
    d.OnShow = [&] { events << "show"; };
    d.OnHide = [&] { events << "hide"; };
    EXPECT_EQ(d.StatusText(), QString());
    d.SetStatusText(QStringLiteral("Riadenie výroby - Objednávky"));
    d.show();
    d.hide();
    EXPECT_EQ(events, (QStringList{"show", "hide"}));
    EXPECT_EQ(d.StatusText(), QStringLiteral("Riadenie výroby - Objednávky"));
    EXPECT_EQ(d.StatusBar()->geometry().bottom(), d.height() - 1);
}

TEST(Form, ExplicitTabOrder)
{
    Dialog d;
    TForm::SetTabOrder({d.second, d.first, d.cancel});
    d.showActive();
    TabTo(d.second);
    QTest::keyClick(d.second, Qt::Key_Tab);
    EXPECT_TRUE(d.first->hasFocus());
    QTest::keyClick(d.first, Qt::Key_Return);
    EXPECT_TRUE(d.cancel->hasFocus());
}

// A form made once with the main window as its owner and kept: opened from another modal window it stands
// above that window while it is open (the window manager keeps it there), then belongs to its owner again.
TEST(Form, AKeptFormOpenedFromAModalWindowStandsAboveIt)
{
    QWidget home;
    TForm kept(&home);
    kept.setWindowTitle(QStringLiteral("Ukážka"));
    TForm opener;
    opener.setWindowTitle(QStringLiteral("Objednávka"));
    QWidget *parentWhileOpen = nullptr;
    WhenModal<TForm>([&](TForm *first) {
        QApplication::setActiveWindow(first);
        WhenModal<TForm>(
            [&](TForm *second) {
                parentWhileOpen = second->parentWidget();
                second->SetModalResult(mrCancel);
            },
            first);
        kept.ShowModal();
        first->SetModalResult(mrCancel);
    });
    opener.ShowModal();
    EXPECT_EQ(parentWhileOpen, &opener);
    EXPECT_EQ(kept.parentWidget(), &home);
}

// A form destroyed while a field it checks on leaving has the focus and typed text: hiding the window takes
// the focus from the field, and no handler of the form runs on the half-destroyed form (here its list of
// entries, gone with the form's own members, would be read).
TEST(Form, NoHandlerRunsOnAFormBeingDestroyed)
{
    struct Booking : Dialog {
        QStringList entries{QStringLiteral("1")};
        QStringList *seen;
        explicit Booking(QStringList *seen) : seen(seen)
        {
            connect(first, &QLineEdit::editingFinished, this, [this] { *this->seen << entries; });
        }
    };
    QStringList seen;
    auto *form = new Booking(&seen);
    form->showActive();
    QTest::keyClicks(form->first, QStringLiteral("42"));
    ASSERT_TRUE(form->first->hasFocus());
    QTest::keyClick(form->first, Qt::Key_Tab);
    EXPECT_EQ(seen, QStringList{QStringLiteral("1")}) << "the handler runs on a living form";
    TabTo(form->first);
    QTest::keyClicks(form->first, QStringLiteral("7"));
    delete form;
    EXPECT_EQ(seen, QStringList{QStringLiteral("1")});
}
