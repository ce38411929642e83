#include "common/PersonTyping.h"
#include "RoadFixture.h"

#include "common/WhenModal.h"
#include "library/QTlacForm.h"
#include "program/Modules.h"
#include "platform/os/Clock.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataSetModel.h"

#include <QAction>
#include <QFile>
#include <QPrinter>

void RoadTest::beforeConnect()
{
    // The demo data are dated from the day the database was made; the program's clock follows.
    SetNowForTests(QDateTime(QDate::currentDate(), QTime(10, 0)));
    ASSERT_TRUE(work.isValid());
    const QString demo = QStringLiteral(TARVIS_DEMO_DB);
    ASSERT_TRUE(QFile::exists(demo)) << "no demo database at " << demo.toStdString();
    ASSERT_FALSE(database.path().isEmpty());
    QFile::remove(database.path());
    ASSERT_TRUE(QFile::copy(demo, database.path()));
    QFile::setPermissions(database.path(), QFile::ReadOwner | QFile::WriteOwner);
    savedCurrent = QDir::currentPath();
    QDir::setCurrent(work.path());
}

void RoadTest::SetUp()
{
    SalesTest::SetUp();
    if (HasFatalFailure())
        return;
    RegisterModules();
    vyroba = std::make_unique<TDMVyroba>();
    vyk = std::make_unique<TDMVyk>();
    mzdy = std::make_unique<TDMMzdy>();
    odv = std::make_unique<TDMOdv>();
    exp = std::make_unique<TDMExp>();
    Printer().setOutputFileName(QDir(work.path()).filePath(QStringLiteral("tlac.pdf")));
}

void RoadTest::TearDown()
{
    CancelWhenModal();
    Printer().setOutputFileName(QString());
    exp.reset();
    odv.reset();
    mzdy.reset();
    vyk.reset();
    vyroba.reset();
    if (!savedCurrent.isEmpty())
        QDir::setCurrent(savedCurrent);
    SalesTest::TearDown();
}

void RoadTest::click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

void RoadTest::typeCell(TDBGrid *grid, int column, const QString &text, bool button)
{
    QApplication::setActiveWindow(grid->window());
    TabTo(grid);
    grid->SetSelectedIndex(column);
    TypeText(grid, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    if (editor && editor != grid)
        TypeText(editor, text.mid(1));
    if (button && editor && !editor->actions().isEmpty())
        editor->actions().constFirst()->trigger();
    QTest::keyClick(editor ? editor : grid, Qt::Key_Return);
    QApplication::processEvents();
}

namespace {

int columnOf(TDBGrid *grid, const QString &column)
{
    for (int i = 0; i < grid->ColumnCount(); ++i)
        if (grid->Columns(i)->FieldName.compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

QStringList RoadTest::columnTexts(TDBGrid *grid, const QString &column)
{
    QStringList texts;
    const int c = columnOf(grid, column);
    QAbstractItemModel *m = grid->model();
    if (c < 0 || !m)
        return texts;
    while (m->canFetchMore(QModelIndex()))
        m->fetchMore(QModelIndex());
    for (int r = 0; r < m->rowCount(); ++r)
        texts << m->index(r, c).data(Qt::DisplayRole).toString().trimmed();
    return texts;
}

bool RoadTest::clickRow(TDBGrid *grid, const QString &column, const QString &text)
{
    const QStringList texts = columnTexts(grid, column);
    const int row = texts.indexOf(text);
    if (row < 0) {
        ADD_FAILURE() << text.toStdString() << " not in " << column.toStdString() << ": "
                      << texts.join('|').toStdString();
        return false;
    }
    const QModelIndex index = grid->model()->index(row, columnOf(grid, column));
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    QApplication::processEvents();
    return true;
}

QStringList RoadTest::reportTexts(const TQuickRep &report)
{
    QStringList texts;
    for (const TQRPage &page : report.Pages())
        for (const TQRItem &item : page.items)
            if (item.kind == TQRItem::Text)
                texts << item.text.trimmed();
    return texts;
}

int RoadTest::stateOf(int job)
{
    return count(QStringLiteral("select STAV_ZAK from ZAKAZKYD where C_INT=%1").arg(job));
}
