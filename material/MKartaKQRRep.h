// TMKartaKQRRep: the tool card, one per store row of a tool: the tool's data and picture, its owner
// with address, its place in the store, the mould data, the jobs cast with it and the boxes to sign.
#pragma once

#include "platform/report/QuickRep.h"

class TQRImage;
class TQRMemo;

class TMKartaKQRRep : public TQuickRep {
public:
    TMKartaKQRRep();
    // The lines of "Zákazky :".
    void SetJobs(const QStringList &lines);

private:
    TQRMemo *jobs_;
    TQRImage *picture_;
};

// A line of "Zákazky :": the job as 12/0034, its handed-over quantity and the product's dimension, two
// blanks apart.
QString ToolCardJobLine(int job, double handedOver, const QString &dimension);
