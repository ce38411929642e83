// A report definition that names an office document template: a text document (.odt) has its user fields
// filled, a spreadsheet (.ods) its named ranges, a workbook (.xlsx, also for .xls/.xlt) its defined names;
// each filled copy is written as a new file in the temporary folder and opened on the desktop.
#pragma once

#include "library/xReport.h"

#include <QStringList>

class TDocumentReport : public TReport {
public:
    enum TKind { TextDocument, Spreadsheet, WordDocument, Workbook };

    void SetDataSet(TDataSet *data) override { data_ = data; }
    void Load(TXMLElement *) override {}
    // The <template> element's file: its full path and, by the extension, its kind.
    void LoadTemplate(TXMLElement *report) override;
    // Fills copies of the template (just one copy when there is no data set) and opens them.
    void Run() override;
    void Print() override { Run(); }

    TKind Kind() const { return kind_; }
    // The files the last run wrote, in order.
    QStringList Files() const { return files_; }

private:
    // Fill from the data set's records (none: the template as it is).
    void runOpenDocument(TDataSet *data);
    void runWorkbook(TDataSet *data);
    // Writes the bytes as a new file beside the others of the run and opens it.
    void writeAndOpen(const QByteArray &bytes, const QString &suffix);
    TDataSet *data_ = nullptr;
    QString path_;
    TKind kind_ = TextDocument;
    QStringList files_;
};
