// Report definition files ("*.xrep"): a banded report over an SQL query, or an office document template
// filled from a data set. TxReport reads a file and runs what it defines; RunReportFile keeps one per file.
#pragma once

#include "platform/os/Exception.h"

#include <QString>
#include <memory>

class TDataSet;
class TXMLElement;

// Errors of a definition (a missing element or attribute, a template that cannot be filled).
class EReportError : public Exception {
public:
    using Exception::Exception;
};

// What a definition makes: the data set it reads, loading from the document, running and printing.
class TReport {
public:
    virtual ~TReport() = default;
    virtual void SetDataSet(TDataSet *data) = 0;
    // From the document element <xreport>.
    virtual void Load(TXMLElement *document) = 0;
    // From the <report> element, before each run.
    virtual void LoadTemplate(TXMLElement *report) = 0;
    virtual void Run() = 0;
    virtual void Print() = 0;
};

class TxReport {
public:
    ~TxReport();
    // Reads and parses the file (EXMLError on malformed XML); EReportError "<report> element not found!".
    // A <report> of type "document" is a document report, any other an SQL report.
    static std::unique_ptr<TxReport> CreateFromFile(const QString &fileName);
    // The data set the report reads (the print query, or an offer's query).
    void SetParameter(TDataSet *data);
    // Loads the template from <report>, then runs.
    void Execute();
    TReport *Report() const { return report_.get(); }

private:
    TxReport() = default;
    std::unique_ptr<TXMLElement> document_;
    TXMLElement *reportElement_ = nullptr;
    std::unique_ptr<TReport> report_;
};

// Runs the definition file with the data set: false when the file does not exist. Each file is read once
// per program run and kept.
bool RunReportFile(const QString &fileName, TDataSet *data);
// Forgets the kept definitions (at program end).
void FreeReportFiles();
