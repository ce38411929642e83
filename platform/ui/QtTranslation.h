// Qt's own texts (the buttons of message boxes, the file and print dialogs) in Slovak, from the
// translation Qt installs beside its libraries.
#pragma once

// Installs Qt's Slovak translation into the running application once; false when it is not installed.
bool LoadQtTranslation();
