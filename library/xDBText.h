// TxDBText: a captioned read-only value of a detail dialog: a caption label and a TxDBLabel beside it.
// It never takes the focus.
#pragma once

#include "xCaptionedControl.h"
#include "xDBLabel.h"

class TxDBText : public TxCaptionedControl {
    Q_OBJECT
public:
    explicit TxDBText(QWidget *parent = nullptr);

    TDataSource *DataSource() const { return value_->DataSource(); }
    void SetDataSource(TDataSource *source) { value_->SetDataSource(source); }
    QString DataField() const { return value_->DataField(); }
    // Without a caption given yet, the caption becomes the field's display name.
    void SetDataField(const QString &name);
    TField *Field() const { return value_->Field(); }

    QString DisplayFormat() const { return value_->DisplayFormat(); }
    void SetDisplayFormat(const QString &format) { value_->SetDisplayFormat(format); }
    void SetAlignment(Qt::Alignment alignment) { value_->setAlignment(alignment | Qt::AlignVCenter); }

    TxDBLabel *Value() const { return value_; }
    void Layout() override;

protected:
    QWidget *ValueControl() const override;

private:
    TxDBLabel *value_;
};
