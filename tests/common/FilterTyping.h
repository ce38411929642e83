// Typing into the lists' filters as a clerk does: the texts clerks type where a number, a date or a name
// is asked (Slovak letters, an apostrophe, a job number as printed), and a filter combo's entry chosen
// with its value typed and the value edit left.
#pragma once

#include "common/PersonTyping.h"
#include "library/xDBFilter.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

inline const char *const kTypedProbes[] = {"Žiar", "Košick", "č", "ľ", "O'Neil", "26/0015"};

// The rows the combo's data set lists after the entry is reached by Tab and chosen with the arrow keys, the
// value edit reached by Tab, the value typed over its text and the edit left by Tab; the data set must stay open
// whatever was typed.
inline int TypeIntoFilterCombo(TxDBFilterCombo *combo, const QString &entry, const QString &value)
{
    const int index = combo->List->findText(entry);
    EXPECT_GE(index, 0) << entry.toStdString();
    if (!TabOrBacktabTo(combo->List))
        return -1;
    Press(Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        Press(Qt::Key_Down);
    EXPECT_EQ(combo->List->currentIndex(), index) << entry.toStdString();
    if (TabTo(combo->ValueEdit, 1)) {
        Type(value);
        Press(Qt::Key_Tab);
    }
    TDataSet *rows = combo->DataSource->DataSet();
    EXPECT_TRUE(rows->Active()) << entry.toStdString() << " " << value.toStdString();
    rows->FetchAll();
    return rows->RecordCount();
}

// The same with the entry chosen and the value edit focused directly, for a list whose filter Tab does not
// reach yet as a person would.
inline int TypeIntoFilterComboDirectly(TxDBFilterCombo *combo, const QString &entry, const QString &value)
{
    const int index = combo->List->findText(entry);
    EXPECT_GE(index, 0) << entry.toStdString();
    combo->List->setCurrentIndex(index);
    emit combo->List->activated(index);
    PutFocusDirectly(combo->ValueEdit);
    combo->ValueEdit->clear();
    TypeText(combo->ValueEdit, value);
    QTest::keyClick(combo->ValueEdit, Qt::Key_Tab);
    TDataSet *rows = combo->DataSource->DataSet();
    EXPECT_TRUE(rows->Active()) << entry.toStdString() << " " << value.toStdString();
    rows->FetchAll();
    return rows->RecordCount();
}
