// The OK of the sales detail dialogs: whatever the focused control holds goes into its field, then the save
// runs; a refused save is shown and the dialog stays open with everything typed, only a save that
// succeeded closes it.
#pragma once

#include "platform/ui/Form.h"

#include <functional>

class QBoxLayout;
class QWidget;
class TBitBtn;
class TForm;

// True when the save ran through (the form's modal result is then mrOk).
bool SaveAndClose(TForm *form, const std::function<void()> &save);

// The OK and Cancel buttons at the right of a row added to the layout; OK runs the unsaved data's save
// through SaveAndClose, Cancel closes with mrCancel and drops it; any other close asks about it first.
void AddSaveButtons(TForm *form, QBoxLayout *layout, TBitBtn *&ok, TBitBtn *&cancel, TUnsavedData unsaved);
