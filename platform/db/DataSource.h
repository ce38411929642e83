// TDataSource links a data set to data-aware controls and detail data sets; TDataLink is what a control
// or detail holds to hear about scrolls, edits and field changes.
#pragma once

#include "DBTypes.h"

#include <QString>
#include <functional>
#include <vector>

class TDataSource;

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink &) = delete;
    TDataLink &operator=(const TDataLink &) = delete;

    TDataSource *DataSource() const { return source_; }
    void SetDataSource(TDataSource *source);
    TDataSet *DataSet() const;
    bool Active() const;
    bool Editing() const;
    // Puts the data set into edit when the source allows it; true when it is editing afterwards.
    bool Edit();
    bool ReadOnly = false;

protected:
    friend class TDataSource;
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int) { DataSetChanged(); }
    virtual void RecordChanged(TField *) {}
    virtual void EditingChanged() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}
    virtual void FocusControl(TField *) {}

private:
    void event(TDataEvent e, TField *field);
    TDataSource *source_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
};

// A link to one field, for single-field controls.
class TFieldDataLink : public TDataLink {
public:
    QString FieldName() const { return fieldName_; }
    void SetFieldName(const QString &name);
    TField *Field() const { return field_; }
    // The control holds a change not yet written to the field.
    bool Modified() const { return modified_; }
    void Modify() { modified_ = true; }
    void Reset();
    bool CanModify() const;

    std::function<void()> OnDataChange; // show the field's value
    std::function<void()> OnUpdateData; // write the control's value into the field
    std::function<void()> OnEditingChange;
    std::function<void()> OnActiveChange;
    std::function<void()> OnFocusControl;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override { RecordChanged(nullptr); }
    void RecordChanged(TField *field) override;
    void EditingChanged() override;
    void LayoutChanged() override;
    void UpdateData() override;
    void FocusControl(TField *field) override;

private:
    void updateField();
    QString fieldName_;
    TField *field_ = nullptr;
    bool modified_ = false;
};

class TDataSource {
public:
    TDataSource() = default;
    explicit TDataSource(TDataSet *dataSet) { SetDataSet(dataSet); }
    ~TDataSource();
    TDataSource(const TDataSource &) = delete;
    TDataSource &operator=(const TDataSource &) = delete;

    QString Name;
    TDataSet *DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet *dataSet);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // Typing into a control puts the data set into edit.
    bool AutoEdit = true;
    TDataSetState State() const;
    void Edit();

    std::function<void(TDataSource *, TField *)> OnDataChange;
    std::function<void(TDataSource *)> OnStateChange;
    std::function<void(TDataSource *)> OnUpdateData;

    void AddLink(TDataLink *link);
    void RemoveLink(TDataLink *link);

private:
    friend class TDataSet;
    friend class TDataLink;
    void dataEvent(TDataEvent e, TField *field);
    void dataSetDestroyed();
    TDataSet *dataSet_ = nullptr;
    bool enabled_ = true;
    TDataSetState lastState_ = dsInactive;
    std::vector<TDataLink *> links_;
};
