// The one way a dialog puts its data edits on screen: a field's caption, kind (plain, with a lookup, dots or
// calendar button), mask, width and unit given in one place and added as a row of a form layout, whose
// captions then line up in one column. The captioned edits report their size, so the layout gives every
// field its room. Plain field edits (the caption standing in the layout's own column) come from here too.
#pragma once

#include "xDBEdit.h"

class QFormLayout;
class QPlainTextEdit;
class QWidget;
class TDataSource;
class TDBEdit;

struct TDataEditRow {
    const char *field;
    const char *caption;
    // bsNone: a plain edit; bsLookup, bsDots: a button that picks or proposes the value; bsDate: a calendar.
    TButtonStyle kind = bsNone;
    // The mask the field is edited in (empty: the field's own).
    const char *mask = nullptr;
    // The edit's width in characters (0: as wide as the row).
    int width = 0;
    // A unit shown right of the edit ("min.").
    const char *unit = nullptr;
};

// A captioned data edit of the field, named "DBe" + field.
TxDBEdit *NewDataEdit(QWidget *parent, TDataSource *source, const char *field, const char *caption);
// The row's captioned edit with its kind, mask, width and unit, added as a row of the form.
TxDBEdit *AddDataEditRow(QFormLayout *form, QWidget *parent, TDataSource *source, const TDataEditRow &row);
// Another control (a combo, a memo) with its caption as a row of the form, lined up with the data edits.
void AddCaptionedRow(QFormLayout *form, const QString &caption, QWidget *control);

// A plain data edit of the field, without a caption of its own.
TDBEdit *NewFieldEdit(QWidget *parent, TDataSource *source, const char *field);
// A plain data edit of the field added with its caption as a row of the form.
TDBEdit *AddFieldEditRow(QFormLayout *form, QWidget *parent, TDataSource *source, const char *field,
                         const char *caption);

// A memo as tall as the lines, never lower than it can be drawn.
void SetMemoLines(QPlainTextEdit *memo, int lines);
