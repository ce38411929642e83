// Typing into a grid's cell as a person does: a click on the cell of the current row, then the first key
// opens the cell's editor and the rest go into the editor; and typing a cell editor's text anew.
#pragma once

#include "common/PersonTyping.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataSetModel.h"

#include <QApplication>

// Clicks the cell of the current row and the column and types into it; returns the focused widget then (the
// cell's editor, or the grid itself when none opened). Nothing is pressed after the text.
inline QWidget *TypeInCell(TDBGrid *grid, int column, const QString &text)
{
    if (!ClickCell(grid, std::max(grid->Model()->CurrentRow(), 0), column))
        return nullptr;
    Type(text);
    return QApplication::focusWidget();
}

// Types a cell editor's text anew: a refused text is left selected by the grid, so what is typed takes its
// place.
inline void Retype(QWidget *editor, const QString &text)
{
    EXPECT_EQ(QApplication::focusWidget(), editor) << "the editor keeps the focus";
    Type(text);
}
