#include "library/xReport.h"

#include "library/DocumentReport.h"
#include "library/SQLReport.h"
#include "library/xXMLReader.h"

#include <QFileInfo>
#include <QHash>

TxReport::~TxReport() = default;

std::unique_ptr<TxReport> TxReport::CreateFromFile(const QString &fileName)
{
    std::unique_ptr<TxReport> x(new TxReport());
    x->document_ = TXMLReader(fileName).Parse();
    x->reportElement_ = x->document_->HasElements() ? x->document_->Elements().Find(QStringLiteral("report")) : nullptr;
    if (!x->reportElement_)
        throw EReportError(QStringLiteral("<report> element not found!"));
    if (x->reportElement_->AttributeValue(QStringLiteral("type")) == QLatin1String("document"))
        x->report_ = std::make_unique<TDocumentReport>();
    else
        x->report_ = std::make_unique<TSQLReport>();
    x->report_->Load(x->document_.get());
    return x;
}

void TxReport::SetParameter(TDataSet *data)
{
    report_->SetDataSet(data);
}

void TxReport::Execute()
{
    report_->LoadTemplate(reportElement_);
    report_->Run();
}

namespace {

QHash<QString, std::shared_ptr<TxReport>> &cache()
{
    static QHash<QString, std::shared_ptr<TxReport>> reports;
    return reports;
}

} // namespace

bool RunReportFile(const QString &fileName, TDataSet *data)
{
    if (!QFileInfo::exists(fileName))
        return false;
    std::shared_ptr<TxReport> &report = cache()[fileName];
    if (!report) {
        try {
            report = TxReport::CreateFromFile(fileName);
        } catch (...) {
            cache().remove(fileName);
            throw;
        }
    }
    report->SetParameter(data);
    report->Execute();
    return true;
}

void FreeReportFiles()
{
    cache().clear();
}
