// Hostile text typed into every filter control, configured as the forms configure them: the rows shown must
// be those of the same search with the text bound as a parameter (or both refused by the server).
#include "common/PersonTyping.h"
#include "common/DbFixture.h"
#include "common/HostileCorpus.h"
#include "library/SqlLiteral.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "library/xDatabase.h"
#include "library/xQuery.h"
#include "platform/os/Format.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QTest>

namespace {

// One filter as a form configures it: the condition with "?", the value's type, and the same search with
// the value bound as :v.
struct Config {
    const char *condition;
    TFieldType type;
    const char *bound;
};

class HostileText : public DbFixtureT<TxDatabase> {
protected:
    void SetUp() override
    {
        DbFixtureT<TxDatabase>::SetUp();
        exec("create table T_H (ID integer not null primary key, NAZOV varchar(40), POZN varchar(40), ICO integer, "
             "D date)");
        exec("insert into T_H values (1, 'abeceda', 'x', 12345678, '2026-01-10')");
        exec("insert into T_H values (2, 'O''Neil', 'ab', 11111111, '2026-02-01')");
        exec("insert into T_H values (3, 'or 1=1 or NAZOV like', '0) or (1=1', 0, null)");
        exec("insert into T_H values (4, '%1%2', 'a%b', 1, '2025-12-31')");
        exec("insert into T_H values (5, 'ab skrytý', 'ab', 1, '2026-01-01')"); // outside the query's own condition
        exec("insert into T_H values (6, 'x'' or ''1''=''1', '?', 6, '2026-03-01')");
        exec("insert into T_H values (7, 'č''š', '-1', -1, '2026-02-15')");
        q.SetDatabase(db.get());
        q.SQL().SetText("select *\nfrom T_H\nwhere ID <> 5\norder by ID");
        src.SetDataSet(&q);
        q.Open();
        w.resize(600, 200);
    }
    void TearDown() override
    {
        q.Close();
        DbFixtureT<TxDatabase>::TearDown();
    }
    void showWindow()
    {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(ShowActive(&w));
    }
    // The rows the filtered query shows, or "error" when the server refused the condition.
    std::string shown()
    {
        if (!q.Active())
            return "error";
        QStringList out;
        for (q.First(); !q.Eof(); q.Next())
            out << q.FieldByName("ID")->AsString();
        return out.join(',').toStdString();
    }
    // The same search with the typed value bound: "!" negates "=" as the filters do; the value is
    // converted as the filter converts it for its type.
    std::string expected(const Config &c, const QString &typed)
    {
        QString bound = QString::fromUtf8(c.bound);
        QString text = typed;
        if (text.startsWith('!') && QString::fromUtf8(c.condition).contains("=?")) {
            bound.replace("=:v", "<>:v");
            text.remove(0, 1);
        }
        QVariant v = text.trimmed();
        if (c.type == ftInteger) {
            qint64 n = 0;
            v = TryStrToInt(text, n) ? n : 0;
        } else if (c.type == ftDate) {
            QDate d;
            v = TryStrToDate(text, d) ? QVariant(d) : QVariant();
        }
        TIBQuery b;
        b.SetDatabase(db.get());
        b.SQL().SetText("select ID from T_H where ID <> 5 and (" + bound + ") order by ID");
        try {
            b.ParamByName("v").SetValue(v);
            b.Open();
        } catch (const Exception &) {
            return "error";
        }
        QStringList out;
        for (b.First(); !b.Eof(); b.Next())
            out << b.Fields(0)->AsString();
        return out.join(',').toStdString();
    }

    TxQuery q;
    TDataSource src;
    QWidget w;
    TTestResponder answers; // the refusals' message boxes
};

// The filter edits' and the panel's conditions, with their types.
const Config kEditConfigs[] = {
    {"NAZOV like '?%'", ftUnknown, "NAZOV like :v || '%'"},
    {"NAZOV like '?%'", ftString, "NAZOV like :v || '%'"},
    {"POZN=?", ftString, "POZN=:v"},
    {"ICO=?", ftInteger, "ICO=:v"},
    {"ICO=?", ftUnknown, "ICO=:v"},
    {"POZN=?", ftUnknown, "POZN=:v"},
    {"D>=?", ftDate, "D>=:v"},
};

// The filter combo's conditions as the stock list configures them (its values have no type).
const Config kComboConfigs[] = {
    {"NAZOV like '?%' or POZN like '?'", ftUnknown, "NAZOV like :v || '%' or POZN like :v"},
    {"ID in (select ID from T_H where ICO=? or ID=?)", ftUnknown, "ID in (select ID from T_H where ICO=:v or ID=:v)"},
    {"POZN like '%?%'", ftUnknown, "POZN like '%' || :v || '%'"},
    {"D between '2026-01-01' and '?'", ftUnknown, "D between '2026-01-01' and :v"},
};

TEST_F(HostileText, FilterEditsShowTheRowsOfTheBoundSearch)
{
    for (const Config &c : kEditConfigs) {
        auto *e = new TxDBFilterEdit(&w);
        e->DataSource = &src;
        e->SQLWhere = QString::fromUtf8(c.condition);
        e->SQLParamType = c.type;
        for (const char *raw : kHostileCorpus) {
            const QString text = QString::fromUtf8(raw);
            SCOPED_TRACE(std::string(c.condition) + " <- " + raw);
            e->setText(text.chopped(1));
            TypeText(e, text.right(1)); // the last key filters
            EXPECT_EQ(shown(), expected(c, text));
        }
        delete e;
    }
    EXPECT_EQ(value("select count(*) from T_H").toInt(), 7) << "no typed text changed the table";
}

TEST_F(HostileText, FilterPanelShowsTheRowsOfTheBoundSearch)
{
    TxDBFilterPanel panel(&w);
    panel.DataSource = &src;
    auto *e = new TxDBFilterEdit(&panel);
    for (const Config &c : kEditConfigs) {
        e->SQLWhere = QString::fromUtf8(c.condition);
        e->SQLParamType = c.type;
        for (const char *raw : kHostileCorpus) {
            SCOPED_TRACE(std::string(c.condition) + " <- " + raw);
            const QString text = QString::fromUtf8(raw);
            e->setText(text);
            const std::string before = shown();
            answers.Messages.clear();
            QTest::mouseClick(panel.FilterButton, Qt::LeftButton);
            // A number or a date edit holding other text is refused in words and the rows stay.
            if (!FieldConditionError(c.type, text.startsWith('!') ? text.mid(1) : text).isEmpty()) {
                EXPECT_EQ(shown(), before);
                EXPECT_EQ(answers.Messages.size(), 1);
            } else {
                EXPECT_EQ(shown(), expected(c, text));
            }
        }
    }
}

TEST_F(HostileText, FilterComboShowsTheRowsOfTheBoundSearch)
{
    TxDBFilterCombo combo(&w);
    combo.DataSource = &src;
    combo.resize(400, 21);
    TStringList items;
    for (const Config &c : kComboConfigs)
        items.Add(QStringLiteral("Výber %1=").arg(items.Count()) + QString::fromUtf8(c.condition));
    combo.SetSQLItems(items);
    auto *other = new QLineEdit(&w);
    other->move(0, 50);
    showWindow();
    for (int i = 0; i < int(std::size(kComboConfigs)); ++i) {
        const Config &c = kComboConfigs[i];
        combo.List->setCurrentIndex(i - 1);
        QTest::keyClick(combo.List, Qt::Key_Down);
        ASSERT_TRUE(combo.ValueEdit->hasFocus()) << "the value is asked for";
        for (const char *raw : kHostileCorpus) {
            SCOPED_TRACE(std::string(c.condition) + " <- " + raw);
            TabTo(combo.ValueEdit);
            combo.ValueEdit->clear();
            TypeText(combo.ValueEdit, QString::fromUtf8(raw));
            TabTo(other); // leaving the value applies it
            EXPECT_EQ(shown(), expected(c, QString::fromUtf8(raw)));
        }
    }
}

TEST_F(HostileText, GridFilterByValueShowsTheRowsOfTheBoundSearch)
{
    TxDBGrid grid(&w);
    grid.SetDataSource(&src);
    const int nazov = 1; // the NAZOV column: a prefix match, whatever operator is typed
    for (const char *raw : kHostileCorpus) {
        SCOPED_TRACE(raw);
        const QString text = QString::fromUtf8(raw);
        answers.InputAnswers.push_back(text);
        grid.FilterByValue(nazov);
        QString value = text;
        for (const char *op : {"<>", "> ", "< ", ">=", "<="})
            if (value.startsWith(QLatin1String(op))) {
                value = value.mid(2);
                break;
            }
        EXPECT_EQ(shown(), expected({"", ftString, "NAZOV like :v"}, value + '%'));
        q.SetFiltered(false);
    }
}

} // namespace
