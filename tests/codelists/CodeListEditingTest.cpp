// The code-list form as a clerk uses it with the keyboard: the grids edited in place, a new row stored
// only when typed into and with its required fields, the form closed with Escape or its close button.
#include "common/PersonTyping.h"
#include "CisFixture.h"

#include "library/Buttons.h"
#include "library/xDBGrid.h"
#include "platform/ui/Dialogs.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QTest>

class CodeListEditing : public CisTest {
protected:
    void open(int page)
    {
        form = new TFormSluzby;
        FormSluzby = form;
        form->SetPage(page);
        form->show();
        QApplication::setActiveWindow(form);
        ASSERT_TRUE(ShowActive(form));
    }
    // The grid of a data set on a page of the form.
    static TxDBGrid *gridOf(QWidget *page, TDataSet *dataSet)
    {
        for (TxDBGrid *g : page->findChildren<TxDBGrid *>())
            if (g->DataSet() == dataSet)
                return g;
        return nullptr;
    }
    // The navigator button (by its hint) that serves the grid.
    static QAbstractButton *navigatorButton(TxDBGrid *grid, const char *hint)
    {
        for (auto *b : grid->parentWidget()->findChildren<QAbstractButton *>())
            if (b->toolTip() == QString::fromUtf8(hint))
                return b;
        return nullptr;
    }
    // Types into the current cell: the first key opens the cell editor, Return closes it.
    static void typeCell(TxDBGrid *grid, const QString &text)
    {
        TabTo(grid);
        QTest::keyClicks(grid, text.left(1));
        QWidget *editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid) << "typing opened no cell editor";
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the editor hands its text over through the event queue
    }

    TFormSluzby *form = nullptr;
};

TEST_F(CodeListEditing, EveryGridButTheEmployeesIsEditedInPlace)
{
    open(0);
    for (int page = 0; page < form->PageControlSluzby->count(); ++page) {
        form->PageControlSluzby->setCurrentIndex(page);
        for (TxDBGrid *g : form->PageControlSluzby->widget(page)->findChildren<TxDBGrid *>()) {
            const bool employees = g == form->GridZamestnanci;
            EXPECT_EQ(bool(g->Options() & dgRowSelect), employees) << "page " << page;
            EXPECT_EQ(g->editTriggers() == QAbstractItemView::NoEditTriggers, employees) << "page " << page;
        }
    }
}

TEST_F(CodeListEditing, ANewMaterialTypedIntoTheGridIsStored)
{
    TTestResponder answers;
    open(1);
    TxDBGrid *g = gridOf(form->PageControlSluzby->widget(1), &DMZal->CMaterialov);
    ASSERT_NE(g, nullptr);
    TabTo(g);
    QTest::keyClick(g, Qt::Key_Insert);
    ASSERT_EQ(DMZal->CMaterialov.State(), dsInsert);
    typeCell(g, "GG30");
    QTest::keyClick(g, Qt::Key_Tab);
    typeCell(g, "2,5");
    QTest::keyClick(g, Qt::Key_Up);
    EXPECT_EQ(DMZal->CMaterialov.State(), dsBrowse) << answers.Texts().join('|').toStdString();
    EXPECT_EQ(count("select count(*) from CMATERIALOV where MATERIAL='GG30' and CENA_MAT=2.5"), 1);

    // Changing a cell of a stored row writes it when the row is left.
    QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
    g->SetSelectedIndex(1);
    typeCell(g, "3");
    QTest::keyClick(g, Qt::Key_Down);
    EXPECT_EQ(count("select count(*) from CMATERIALOV where MATERIAL='GG30' and CENA_MAT=3"), 1);
    EXPECT_TRUE(answers.Messages.isEmpty());
}

TEST_F(CodeListEditing, ARowWithoutItsKeyIsRefusedInSlovakAndAnUntouchedOneIsDropped)
{
    TTestResponder answers;
    open(1);
    QWidget *page = form->PageControlSluzby->widget(1);
    TxDBGrid *materials = gridOf(page, &DMZal->CMaterialov);
    ASSERT_NE(materials, nullptr);
    TabTo(materials);
    QTest::keyClick(materials, Qt::Key_Insert);
    QTest::keyClick(materials, Qt::Key_Tab);
    typeCell(materials, "4");
    QTest::keyClick(materials, Qt::Key_Up);
    ASSERT_EQ(answers.Messages.size(), 1) << "the refusal is shown";
    EXPECT_TRUE(answers.Messages[0].Text.contains(QString::fromUtf8("Položka 'MATERIAL' musí mať hodnotu")))
        << answers.Messages[0].Text.toStdString();
    EXPECT_EQ(DMZal->CMaterialov.State(), dsInsert) << "the typed row stays to be completed";
    EXPECT_EQ(count("select count(*) from CMATERIALOV"), 0);
    QTest::keyClick(materials, Qt::Key_Escape);
    EXPECT_EQ(DMZal->CMaterialov.State(), dsBrowse);
    EXPECT_TRUE(form->isVisible()) << "Escape first cancels the row";

    // "+" and then elsewhere: an operation with nothing typed (its number only defaulted) is not stored.
    TxDBGrid *operations = gridOf(page, &DMZal->COperacii);
    ASSERT_NE(operations, nullptr);
    QAbstractButton *plus = navigatorButton(operations, "Nový");
    ASSERT_NE(plus, nullptr);
    QTest::mouseClick(plus, Qt::LeftButton);
    ASSERT_EQ(DMZal->COperacii.State(), dsInsert);
    TabTo(operations);
    QTest::keyClick(operations, Qt::Key_Up);
    EXPECT_EQ(DMZal->COperacii.State(), dsBrowse);
    EXPECT_EQ(count("select count(*) from COPERACII"), 0) << "no blank row with number 0";
    EXPECT_EQ(answers.Messages.size(), 1);
}

TEST_F(CodeListEditing, EscapeAndTheCloseButtonCloseTheForm)
{
    bool byEscape = false, byButton = false;
    WhenModal<TFormSluzby>([&](TFormSluzby *w) {
        TxDBGrid *g = gridOf(FormSluzby->PageControlSluzby->widget(2), &cis->CRezii);
        EXPECT_NE(g, nullptr);
        if (g) {
            TabTo(g);
            QTest::keyClick(g, Qt::Key_Escape);
            QApplication::processEvents();
            byEscape = !w->isVisible();
        }
        if (w->isVisible())
            w->SetModalResult(mrAbort); // the test must not hang
    });
    ShowCodeLists(2);
    EXPECT_FALSE(cis->CRezii.Active()) << "closing closes the tables";

    WhenModal<TFormSluzby>([&](TFormSluzby *w) {
        if (TBtnKoniec *close = w->findChild<TBtnKoniec *>()) {
            QTest::mouseClick(close, Qt::LeftButton);
            QApplication::processEvents();
            byButton = !w->isVisible();
        }
        if (w->isVisible())
            w->SetModalResult(mrAbort);
    });
    ShowCodeLists(3);
    EXPECT_TRUE(byEscape);
    EXPECT_TRUE(byButton);
}
