// Typing into a grid's cell as a person does: the first key on the grid opens the cell's editor, the rest
// go into the editor; and typing a cell editor's text anew.
#pragma once

#include "common/HostileCorpus.h"
#include "platform/ui/DBGrid.h"

#include <QApplication>

// Types into the cell of the current row and the column; returns the cell's editor (the grid itself when
// none opened). Nothing is pressed after the text.
inline QWidget *TypeInCell(TDBGrid *grid, int column, const QString &text)
{
    grid->SetSelectedIndex(column);
    TypeText(grid, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    if (editor && editor != grid)
        TypeText(editor, text.mid(1));
    return editor;
}

// Replaces the whole text of a cell editor by typing (Ctrl+A selects it first).
inline void Retype(QWidget *editor, const QString &text)
{
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    TypeText(editor, text);
}
