#include "DataSetCursor.h"

#include "QuickRep.h"
#include "platform/db/DataSet.h"

void TDataSetCursor::first()
{
    if (!ds_->Active()) {
        ownRead_ = !ds_->HasDataSources() && !ds_->ForwardOnly();
        ds_->SetForwardOnly(ownRead_);
        try {
            ds_->Open();
        } catch (...) {
            endOwnRead();
            throw;
        }
    }
    ds_->First();
    if (ds_->Eof())
        endOwnRead();
}

void TDataSetCursor::next()
{
    ds_->Next();
    if (ds_->Eof())
        endOwnRead();
}

void TDataSetCursor::endOwnRead()
{
    if (!ownRead_)
        return;
    ownRead_ = false;
    ds_->Close();
    ds_->SetForwardOnly(false);
}

bool TDataSetCursor::eof() const
{
    return !ds_->Active() || ds_->Eof();
}

int TDataSetCursor::fieldCount() const
{
    return ds_->FieldCount();
}

QString TDataSetCursor::fieldName(int index) const
{
    return ds_->Fields(index)->FieldName();
}

QVariant TDataSetCursor::value(int index) const
{
    return ds_->Fields(index)->Value();
}

QString TDataSetCursor::displayLabel(int index) const
{
    return ds_->Fields(index)->DisplayLabel();
}

ReportCursor::FieldKind TDataSetCursor::fieldKind(int index) const
{
    const TField *f = ds_->Fields(index);
    switch (f->DataType()) {
    case ftString:
    case ftFixedChar:
        return fkString;
    case ftMemo:
        return fkMemo;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
        return fkInteger;
    case ftFloat:
    case ftBCD:
        return f->Currency ? fkCurrency : fkFloat;
    case ftCurrency:
        return fkCurrency;
    case ftDate:
        return fkDate;
    case ftTime:
        return fkTime;
    case ftDateTime:
        return fkDateTime;
    case ftBoolean:
        return fkBoolean;
    case ftBlob:
        return fkBlob;
    case ftGraphic:
        return fkGraphic;
    default:
        return fkOther;
    }
}

QString TDataSetCursor::displayText(int index) const
{
    return ds_->Fields(index)->DisplayText();
}

void TDataSetCursor::disableControls()
{
    ds_->DisableControls();
}

void TDataSetCursor::enableControls()
{
    ds_->EnableControls();
}

void RegisterDataSetCursor()
{
    TQuickRep::setDataSetAdapter([](TDataSet *ds) { return std::make_unique<TDataSetCursor>(ds); });
}
