// TSRVQR1Rep (global SRVQR1Rep): the stock-taking list of work in progress ("Rozpracovaná výroba") up to a day.
#pragma once

#include "platform/report/QuickRep.h"

class TQRLabel;

class TSRVQR1Rep : public TQuickRep {
public:
    TSRVQR1Rep();
    ~TSRVQR1Rep() override;
    TQRLabel *QRlDatum = nullptr;
};

extern TSRVQR1Rep *SRVQR1Rep;
