// The support that acts in the modal windows of the code under test: steps in nested windows and in
// successive showings, a step only once its window is the active one, and a window nothing waits for that
// fails its test and is closed, with every modal loop ending, while windows steps wait for are left to them.
#include "common/PersonTyping.h"
#include "common/WhenModal.h"
#include "platform/ui/Form.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A form with an OK button, which keeps count of the focus its edit loses.
class Dialog : public TForm {
    Q_OBJECT
public:
    explicit Dialog(QWidget *owner = nullptr) : TForm(owner)
    {
        auto *layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        ok = new QPushButton(QStringLiteral("OK"), this);
        layout->addWidget(edit);
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
        edit->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched == edit && e->type() == QEvent::FocusOut)
            ++focusLost;
        return TForm::eventFilter(watched, e);
    }
    QLineEdit *edit;
    QPushButton *ok;
    int focusLost = 0;
};

TEST(WhenModal, StepsActInNestedWindowsAndInEachShowingInTurn)
{
    Dialog outer;
    Dialog inner(&outer);
    QStringList seen;
    WhenModal<Dialog>([&](Dialog *d) {
        seen << "outer";
        EXPECT_EQ(d, &outer);
        // The window this step acts in is its own: a step set up here waits for the nested one.
        WhenModal<Dialog>([&](Dialog *nested) {
            seen << "inner";
            EXPECT_EQ(nested, &inner);
            nested->ok->click();
        });
        EXPECT_EQ(inner.ShowModal(), mrOk);
        d->ok->click();
    });
    EXPECT_EQ(outer.ShowModal(), mrOk);
    // Two steps for one window: the first set up takes the first showing.
    WhenModal<Dialog>([&](Dialog *d) {
        seen << "first";
        d->ok->click();
    });
    CloseModal(mrCancel, [&](QWidget *) { seen << "second"; });
    EXPECT_EQ(outer.ShowModal(), mrOk);
    EXPECT_EQ(outer.ShowModal(), mrCancel);
    EXPECT_EQ(seen, QStringList({"outer", "inner", "first", "second"}));
}

TEST(WhenModal, AStepActsOnceItsWindowIsActiveSoNoEarlierWindowTakesTheFocusAway)
{
    // A window shown just before the dialog: its activation arrives after the dialog is on screen.
    QWidget before;
    before.show();
    Dialog d;
    bool ran = false;
    WhenModal<Dialog>([&](Dialog *f) {
        ran = true;
        EXPECT_TRUE(f->isActiveWindow());
        TabTo(f->edit);
        QCoreApplication::processEvents();
        EXPECT_TRUE(f->edit->hasFocus());
        EXPECT_EQ(f->focusLost, 0) << "no late activation took the focus from the step's edit";
        f->ok->click();
    });
    // As on a loaded machine: the step's look is due before the window system's events are handled.
    QThread::msleep(50);
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_TRUE(ran);
}

TEST(WhenModal, AWindowNothingWaitsForFailsTheTestAndEveryModalLoopEnds)
{
    SetModalHangLimit(200);
    // A form that refuses to close and a window opened over it: nothing acts in either.
    TForm outer;
    outer.OnCloseQuery = [](bool &canClose) { canClose = false; };
    QDialog over(&outer);
    bool overEnded = false;
    QTimer::singleShot(0, &outer, [&] {
        over.exec();
        overEnded = true;
    });
    // A step that waits for a window of another kind is named in the failure.
    WhenModal<QProgressDialog>([](QProgressDialog *) {});
    int result = mrNone;
    EXPECT_NONFATAL_FAILURE(result = outer.ShowModal(), "WhenModal<QProgressDialog>");
    EXPECT_TRUE(overEnded);
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(outer.isVisible());
    CancelWhenModal();

    // The test goes on to its end: a window a step waits for is left to that step.
    Dialog later;
    bool acted = false;
    WhenModal<Dialog>([&](Dialog *d) {
        acted = true;
        d->ok->click();
    });
    EXPECT_EQ(later.ShowModal(), mrOk);
    EXPECT_TRUE(acted);
    // One nothing waits for is closed at once now.
    QDialog stray;
    EXPECT_EQ(stray.exec(), QDialog::Rejected);
}

} // namespace

#include "WhenModalTest.moc"
