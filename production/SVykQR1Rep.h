// TSVykQR1Rep (global SVykQR1Rep): the printed overview of the work performances over QvSVykony as the
// overview page left it, its groups and footers set for the chosen view.
#pragma once

#include "platform/report/QuickRep.h"

class TSVykQR1Rep {
public:
    TSVykQR1Rep();
    ~TSVykQR1Rep();
    TSVykQR1Rep(const TSVykQR1Rep &) = delete;
    TSVykQR1Rep &operator=(const TSVykQR1Rep &) = delete;

    TQuickRep Rep;
    TQRBand *Detail;
    TQRGroup *Group1, *Group2;
    TQRBand *Footer1, *Footer2;
    TQRDBText *Footer1Key, *Footer1Name, *Footer2Key;

    // Groups, footers and detail for the view (0 .. 7). The view of operations alone has no group of
    // its own: its first footer would key on a column it does not select, so it prints none.
    void SetView(int view);

    // Share of defects in per cent: empty when there is nothing to divide by.
    static QString RatioExpression(const QString &part, const QString &whole);
};

extern TSVykQR1Rep *SVykQR1Rep;
