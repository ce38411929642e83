// TxDBMemo: a data-aware memo whose typed and pasted letters take a character case (upper-case notes,
// for example); line ends are stored as CR LF.
#pragma once

#include "platform/ui/DBControls.h"

class TxDBMemo : public TDBMemo {
    Q_OBJECT
public:
    explicit TxDBMemo(QWidget *parent = nullptr);

    TEditCharCase CharCase = ecNormal;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    QString cased(const QString &text) const;
};
