#include "DataSource.h"

#include "DataSet.h"

#include <algorithm>

// ---------------------------------------------------------------- TDataLink

TDataLink::~TDataLink()
{
    if (source_)
        source_->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource *source)
{
    if (source_ == source)
        return;
    if (source_)
        source_->RemoveLink(this);
    source_ = source;
    if (source_)
        source_->AddLink(this);
    event(deUpdateState, nullptr);
}

TDataSet *TDataLink::DataSet() const
{
    return source_ ? source_->DataSet() : nullptr;
}

bool TDataLink::Active() const
{
    return active_;
}

bool TDataLink::Editing() const
{
    return editing_;
}

bool TDataLink::Edit()
{
    if (!ReadOnly && source_ && !editing_)
        source_->Edit();
    return editing_;
}

void TDataLink::event(TDataEvent e, TField *field)
{
    TDataSet *ds = DataSet();
    const bool active = source_ && source_->Enabled() && ds && ds->Active();
    if (e == deUpdateState) {
        if (active != active_) {
            active_ = active;
            ActiveChanged();
        }
        const bool editing = active && (ds->State() == dsEdit || ds->State() == dsInsert || ds->State() == dsSetKey);
        if (editing != editing_) {
            editing_ = editing;
            EditingChanged();
        }
        return;
    }
    if (!active_)
        return;
    switch (e) {
    case deFieldChange:
    case deRecordChange:
        RecordChanged(field);
        break;
    case deDataSetChange:
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled(0);
        break;
    case deLayoutChange:
        LayoutChanged();
        break;
    case deUpdateRecord:
        UpdateData();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(field);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- TFieldDataLink

void TFieldDataLink::SetFieldName(const QString &name)
{
    fieldName_ = name;
    updateField();
}

void TFieldDataLink::updateField()
{
    TDataSet *ds = DataSet();
    field_ = Active() && ds && !fieldName_.isEmpty() ? ds->FindField(fieldName_) : nullptr;
    modified_ = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::Reset()
{
    modified_ = false;
    if (OnDataChange)
        OnDataChange();
}

bool TFieldDataLink::CanModify() const
{
    return !ReadOnly && field_ && !field_->ReadOnly && DataSet() && DataSet()->CanModify();
}

void TFieldDataLink::ActiveChanged()
{
    updateField();
    if (OnActiveChange)
        OnActiveChange();
}

void TFieldDataLink::LayoutChanged()
{
    updateField();
}

void TFieldDataLink::RecordChanged(TField *field)
{
    if (field && field != field_)
        return;
    if (!field_ && Active())
        field_ = DataSet()->FindField(fieldName_);
    modified_ = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::EditingChanged()
{
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldDataLink::UpdateData()
{
    if (modified_) {
        if (field_ && OnUpdateData)
            OnUpdateData();
        modified_ = false;
    }
}

void TFieldDataLink::FocusControl(TField *field)
{
    if (field && field == field_ && OnFocusControl)
        OnFocusControl();
}

// ---------------------------------------------------------------- TDataSource

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    for (TDataLink *l : std::vector<TDataLink *>(links_))
        l->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (dataSet_ == dataSet)
        return;
    if (dataSet_)
        dataSet_->DetachDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->AttachDataSource(this);
    dataEvent(deUpdateState, nullptr);
    dataEvent(deLayoutChange, nullptr);
}

void TDataSource::dataSetDestroyed()
{
    dataSet_ = nullptr;
    dataEvent(deUpdateState, nullptr);
}

void TDataSource::SetEnabled(bool on)
{
    enabled_ = on;
    dataEvent(deUpdateState, nullptr);
    if (on)
        dataEvent(deLayoutChange, nullptr);
}

TDataSetState TDataSource::State() const
{
    return dataSet_ && enabled_ ? dataSet_->State() : dsInactive;
}

void TDataSource::Edit()
{
    if (AutoEdit && dataSet_ && dataSet_->State() == dsBrowse)
        dataSet_->Edit();
}

void TDataSource::AddLink(TDataLink *link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TDataSource::RemoveLink(TDataLink *link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TDataSource::dataEvent(TDataEvent e, TField *field)
{
    if (e == deUpdateState) {
        const TDataSetState s = State();
        if (s != lastState_) {
            lastState_ = s;
            if (OnStateChange)
                OnStateChange(this);
        }
    } else if (!enabled_) {
        return;
    }
    if (e == deUpdateRecord && OnUpdateData)
        OnUpdateData(this);
    const auto links = links_;
    for (TDataLink *l : links)
        l->event(e, field);
    if ((e == deFieldChange || e == deRecordChange || e == deDataSetChange || e == deDataSetScroll ||
         e == deLayoutChange) &&
        OnDataChange)
        OnDataChange(this, e == deFieldChange ? field : nullptr);
}
