// Typing into the lists' filters as a clerk does: the texts clerks type where a number, a date or a name
// is asked (Slovak letters, an apostrophe, a job number as printed), and a filter combo's entry chosen
// with its value typed and the value edit left.
#pragma once

#include "common/HostileCorpus.h"
#include "library/xDBFilter.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

inline const char *const kTypedProbes[] = {"Žiar", "Košick", "č", "ľ", "O'Neil", "26/0015"};

// The rows the combo's data set lists after the entry is chosen and the value typed; the data set must
// stay open whatever was typed.
inline int TypeIntoFilterCombo(TxDBFilterCombo *combo, const QString &entry, const QString &value)
{
    QApplication::setActiveWindow(combo->window());
    const int index = combo->List->findText(entry);
    EXPECT_GE(index, 0) << entry.toStdString();
    combo->List->setCurrentIndex(index);
    emit combo->List->activated(index);
    combo->ValueEdit->setFocus();
    combo->ValueEdit->clear();
    TypeText(combo->ValueEdit, value);
    EXPECT_TRUE(combo->ValueEdit->hasFocus()) << entry.toStdString();
    QTest::keyClick(combo->ValueEdit, Qt::Key_Tab);
    TDataSet *rows = combo->DataSource->DataSet();
    EXPECT_TRUE(rows->Active()) << entry.toStdString() << " " << value.toStdString();
    rows->FetchAll();
    return rows->RecordCount();
}
