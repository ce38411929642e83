// The report's data as a delimited text file (";" or TAB), and the save dialog that chooses it; the
// registration of the program's export filters.
#pragma once

#include "platform/report/ReportCursor.h"

#include <QChar>
#include <QString>

// Writes a header line of captions and one line per record from the first; returns the file name
// written (Extension appended when the name has none). Throws Exception when the file cannot be written.
QString ExportReportData(ReportCursor &data, const QString &fileName, const QString &extension, QChar separator);
// Asks for the file and its kind ("Text oddelený ;" or TAB) and exports; false when the user cancels.
bool ChooseExportFile(ReportCursor *data);
// The engine's text and delimited filters and the XHTML filter, for the preview's export list.
void RegisterLibraryExportFilters();
