// The form kit's save row: the OK and Cancel buttons at the bottom right of a dialog. With a save, OK
// first puts whatever the focused control holds into its field, then runs the save; a refused save is
// shown and the dialog stays open with everything typed, only a save that succeeded closes it (mrOk).
// Cancel and Escape close with mrCancel.
#pragma once

#include "platform/ui/Form.h"

#include <functional>

class QBoxLayout;
class QWidget;
class TBitBtn;
class TForm;

// True when the save ran through (the form's modal result is then mrOk).
bool SaveAndClose(TForm *form, const std::function<void()> &save);

// The captions of the row: "Zapíš"/"Nezapíš" (OK not the default button, so Enter never saves by itself)
// or "OK"/"Zrušiť" (OK answers Enter).
enum class TSaveCaptions { Zapis, Ok };

struct TSaveRow {
    TBitBtn *Ok = nullptr;
    TBitBtn *Cancel = nullptr;
};

// Adds the row to the layout. Without a save OK just closes with mrOk and the caller saves afterwards.
TSaveRow AddSaveRow(TForm *form, QBoxLayout *layout, std::function<void()> save = {},
                    TSaveCaptions captions = TSaveCaptions::Zapis);

// The row for a form that declares unsaved data: OK runs its save, Cancel drops it; any other close asks
// about it first.
void AddSaveButtons(TForm *form, QBoxLayout *layout, TBitBtn *&ok, TBitBtn *&cancel, TUnsavedData unsaved);
