// The modal results of forms, buttons and message boxes (no widgets here, so the data layer can ask
// questions through the message facade without depending on forms).
#pragma once

// Modal results of forms and buttons.
enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};
