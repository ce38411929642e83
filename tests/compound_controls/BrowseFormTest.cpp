// The browse-window base as a person uses it: typing into the quick-search edits (Slovak letters, an
// apostrophe, past the length the column holds), a click into an edit, the filter button and Escape.
#include "common/PersonTyping.h"
#include "library/BrowseForm.h"
#include "library/xDBFilter.h"
#include "library/xDBGrid.h"
#include "platform/ui/Dialogs.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

class Browser : public TBrowseForm {
public:
    Browser()
    {
        AddSearchRow({{&Cislo, "HlCislo", "Zadaj číslo", "CISLO", "CISLO", 4},
                      {nullptr, "HlNazov", "Zadaj názov", "NAZOV", "NAZOV desc"}});
        Panel = AddFilterPanel("Panel", nullptr);
        Panel->setLayout(new QHBoxLayout);
        Panel->layout()->addWidget(new TxDBFilterEdit(Panel));
        Grid = AddGrid<TxDBGrid>("Grid", nullptr, {{"CISLO", "Číslo"}, {"NAZOV", "Názov", 120}});
        auto *buttons = new QHBoxLayout;
        Novy = AddButton(
            buttons, "&Nový", [this] { ++news; }, "Nový záznam");
        Filter = AddFilterButton(buttons, Panel);
        Koniec = AddCloseButton(buttons, "&Koniec");
        Column->addLayout(buttons);
        OnQuickSearch = [this](int index, QLineEdit *edit) {
            searched << QStringLiteral("%1 %2 %3").arg(index).arg(QLatin1String(Search(index).Field), edit->text());
        };
        OnSearchClick = [this](int index) {
            ClearSearches();
            clicked << QLatin1String(Search(index).Order);
        };
        resize(500, 300);
    }
    QLineEdit *Cislo = nullptr;
    TxDBFilterPanel *Panel;
    TxDBGrid *Grid;
    QPushButton *Novy, *Filter, *Koniec;
    QStringList searched, clicked;
    int news = 0;
};

TEST(BrowseForm, TypedSearchesReachTheirFieldsWithinTheLength)
{
    struct Case {
        int edit;
        QString typed, last;
    };
    const Case cases[] = {
        {0, QStringLiteral("12345"), QStringLiteral("0 CISLO 1234")}, // the fifth key is past the length
        {1, QString::fromUtf8("Ďur'ová"), QString::fromUtf8("1 NAZOV Ďur'ová")},
        {1, QString::fromUtf8("ľščťžýáíé"), QString::fromUtf8("1 NAZOV ľščťžýáíé")},
    };
    for (const Case &c : cases) {
        Browser b;
        ASSERT_TRUE(ShowActive(&b));
        QLineEdit *e = b.SearchEdits[c.edit];
        ASSERT_EQ(b.Cislo, b.SearchEdits[0]);
        ASSERT_TRUE(TabTo(e)) << c.typed.toStdString();
        Type(c.typed);
        ASSERT_FALSE(b.searched.isEmpty()) << c.typed.toStdString();
        EXPECT_EQ(b.searched.last(), c.last);
        EXPECT_EQ(b.searched.size(), std::min<qsizetype>(c.typed.size(), e->maxLength())) << c.typed.toStdString();
        EXPECT_EQ(e->toolTip(), c.edit == 0 ? QString::fromUtf8("Zadaj číslo") : QString::fromUtf8("Zadaj názov"));
    }
}

TEST(BrowseForm, AClickIntoASearchListsInItsOrderAndEmptiesTheSearches)
{
    Browser b;
    ASSERT_TRUE(ShowActive(&b));
    ASSERT_TRUE(TabTo(b.SearchEdits[0]));
    Type(QStringLiteral("12"));
    ClickOn(b.SearchEdits[1]);
    EXPECT_EQ(b.clicked, QStringList{QStringLiteral("NAZOV desc")});
    EXPECT_TRUE(b.SearchEdits[0]->text().isEmpty());
}

TEST(BrowseForm, ButtonsShowTheFilterRunTheirActionAndEscapeCloses)
{
    Browser b;
    ASSERT_TRUE(ShowActive(&b));
    EXPECT_TRUE(b.Panel->isHidden());
    ClickOn(b.Filter);
    EXPECT_TRUE(b.Panel->isVisible());
    ClickOn(b.Filter);
    EXPECT_TRUE(b.Panel->isHidden());
    ClickOn(b.Novy);
    EXPECT_EQ(b.news, 1);
    EXPECT_EQ(b.Novy->toolTip(), QString::fromUtf8("Nový záznam"));
    EXPECT_TRUE(b.Grid->ReadOnly());
    EXPECT_EQ(b.Grid->Columns(1)->Title(), QString::fromUtf8("Názov"));
    ASSERT_TRUE(TabTo(b.SearchEdits[1]));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(WaitFor("Escape closes the browser", [&] { return !b.isVisible(); }));
}

} // namespace
