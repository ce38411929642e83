#include "xPageControl.h"

TxPageControl::TxPageControl(QWidget *parent) : QTabWidget(parent) {}

void TxPageControl::Loaded()
{
    if (count() > 0)
        setCurrentIndex(0);
}

void TxPageControl::showEvent(QShowEvent *e)
{
    if (!shown_) {
        shown_ = true;
        Loaded();
    }
    QTabWidget::showEvent(e);
}
