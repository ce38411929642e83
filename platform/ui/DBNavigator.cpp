#include "DBNavigator.h"

#include "Dialogs.h"
#include "Guarded.h"
#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

#include <QHBoxLayout>
#include <QToolButton>

#include <functional>

TDBNavigator::TDBNavigator(TDataSource *source, QWidget *parent) : QWidget(parent), source_(source)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const QString &text, const QString &hint, std::function<void(TDataSet *)> action) {
        auto *button = new QToolButton(this);
        button->setText(text);
        button->setToolTip(hint);
        connect(button, &QToolButton::clicked, this, [this, action] {
            TDataSet *ds = source_->DataSet();
            if (ds && ds->Active())
                Guarded([&] { action(ds); });
        });
        layout->addWidget(button);
    };
    add(QStringLiteral("|<"), QString::fromUtf8("Prvý"), [](TDataSet *ds) { ds->First(); });
    add(QStringLiteral("<"), QString::fromUtf8("Predchádzajúci"), [](TDataSet *ds) { ds->Prior(); });
    add(QStringLiteral(">"), QString::fromUtf8("Ďalší"), [](TDataSet *ds) { ds->Next(); });
    add(QStringLiteral(">|"), QString::fromUtf8("Posledný"), [](TDataSet *ds) { ds->Last(); });
    add(QStringLiteral("+"), QString::fromUtf8("Nový"), [](TDataSet *ds) { ds->Insert(); });
    add(QStringLiteral("-"), QString::fromUtf8("Zmazať"), [](TDataSet *ds) {
        if (!ds->IsEmpty() && Confirm(QString::fromUtf8("Zmazať záznam ?"), QString::fromUtf8("Otázka")))
            ds->Delete();
    });
    add(QString::fromUtf8("✓"), QString::fromUtf8("Zapísať"), [](TDataSet *ds) {
        if (ds->State() == dsEdit || ds->State() == dsInsert)
            ds->Post();
    });
    add(QString::fromUtf8("✗"), QString::fromUtf8("Zrušiť"), [](TDataSet *ds) { ds->Cancel(); });
    layout->addStretch();
}
