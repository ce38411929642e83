#include "library/SQLReport.h"

#include "library/ParamsForm.h"
#include "library/xQuery.h"
#include "library/xXMLReader.h"
#include "platform/report/QuickRep.h"
#include "platform/ui/ModalResult.h"
#include "platform/ui/ReportPreview.h"

#include <QPrinter>
#include <QTableWidget>

namespace {

struct BandLook {
    const char *element;
    TQRBandType type;
};
const BandLook Bands[] = {{"title", rbTitle},
                          {"header", rbColumnHeader},
                          {"detail", rbDetail},
                          {"footer", rbPageFooter},
                          {"summary", rbSummary}};

void setLook(TQRBand *band)
{
    switch (band->BandType) {
    case rbTitle:
        band->Font().setPointSize(12);
        band->Font().setBold(true);
        break;
    case rbColumnHeader:
        band->Height = 22;
        band->Font().setBold(true);
        band->Frame.DrawBottom = true;
        break;
    case rbDetail:
        band->Height = 17;
        break;
    case rbPageFooter:
        band->Height = 11;
        band->Font().setPointSize(9);
        break;
    case rbSummary:
        band->Font().setBold(true);
        break;
    default:
        break;
    }
}

void applyAttributes(TQRComponent *control, TXMLElement *element)
{
    control->Top = 2;
    if (!element->HasAttributes())
        return;
    for (int i = 0; i < element->Attributes().Count(); ++i)
        setPropertyByName(control, element->Attributes()[i].Name, element->Attributes()[i].Value);
}

} // namespace

TSQLReport::TSQLReport() = default;
TSQLReport::~TSQLReport() = default;

void TSQLReport::SetDataSet(TDataSet *data)
{
    data_ = data;
    if (report_)
        report_->setDataSet(data);
}

void TSQLReport::Load(TXMLElement *document)
{
    if (!document->HasElements())
        return;
    for (int i = 0; i < document->Elements().Count(); ++i) {
        TXMLElement *e = document->Elements()[i];
        if (e->Name == QLatin1String("sql")) {
            sql_ = e->InnerText;
        } else if (e->Name == QLatin1String("report")) {
            report_ = std::make_unique<TQuickRep>();
            report_->setDataSet(data_);
            loadBands(e);
        }
    }
}

void TSQLReport::loadBands(TXMLElement *reportElement)
{
    if (!reportElement->HasElements())
        return;
    for (int i = 0; i < reportElement->Elements().Count(); ++i) {
        TXMLElement *b = reportElement->Elements()[i];
        for (const BandLook &look : Bands) {
            if (b->Name != QLatin1String(look.element))
                continue;
            TQRBand *band = report_->SetHasBand(look.type, true);
            setLook(band);
            if (!b->HasElements())
                break;
            for (int j = 0; j < b->Elements().Count(); ++j) {
                TXMLElement *c = b->Elements()[j];
                if (c->Name == QLatin1String("label"))
                    applyAttributes(band->Add<TQRLabel>(), c);
                else if (c->Name == QLatin1String("field"))
                    applyAttributes(band->Add<TQRExpr>(), c);
            }
            break;
        }
    }
}

bool TSQLReport::AskParametersAndOpen()
{
    if (!data_)
        return false;
    auto *query = dynamic_cast<TxQuery *>(data_);
    // A definition without its own SQL reads the data set as the caller prepared it.
    const bool ownSql = query && !sql_.trimmed().isEmpty();
    if (ownSql)
        query->SQL().SetText(sql_);
    auto *withParams = dynamic_cast<TIBCustomDataSet *>(data_);
    if (!ownSql || !withParams || withParams->ParamCount() == 0) {
        if (!data_->Active())
            data_->Open();
        return true;
    }
    TParamsForm &form = ParamsForm();
    QTableWidget *grid = form.sgParams;
    TParams &params = withParams->Params();
    grid->setRowCount(params.Count());
    for (int row = 0; row < params.Count(); ++row) {
        // Values typed for the same names stay for the next run.
        if (!grid->item(row, 0) || grid->item(row, 0)->text() != params[row].Name) {
            form.SetRow(row, params[row].Name, QString());
        }
    }
    if (form.ShowModal() != mrOk)
        return false;
    data_->Close();
    for (int row = 0; row < params.Count(); ++row)
        params[row].SetAsString(form.Value(row));
    data_->Open();
    return true;
}

void TSQLReport::Run()
{
    if (report_ && AskParametersAndOpen())
        TReportPreview::Preview(report_.get());
}

void TSQLReport::Print()
{
    if (!report_ || !AskParametersAndOpen())
        return;
    QPrinter printer;
    report_->print(printer);
}
