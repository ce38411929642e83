// TQRTlacSprievodka (global QRTlacSprievodka): the job ticket that travels with a batch of castings, one
// line and one barcode (job, batch, operation) per operation; PrintJobTicket asks for the batch and prints.
#pragma once

#include "platform/report/QuickRep.h"

class TQRAsBarcode;

class TQRTlacSprievodka : public TQuickRep {
public:
    TQRTlacSprievodka();
    TQRAsBarcode *QRBarcode;
    // The money format on the two wage sums.
    void SetMoneyMasks(const QString &mask);
};

extern TQRTlacSprievodka *QRTlacSprievodka;

// The barcode text of an operation: job in six digits, batch in three, operation in three ("%6.6d%3.3d%3.3d");
// a number that needs more digits is written in full.
QString JobTicketBarcodeText(int cInt, int batch, int operation);
// The batch a typed answer gives: the proposal for no number (text or a negative number), else the smaller
// of the answer and the proposal (0 allowed).
int JobTicketBatch(const QString &answer, int proposal);
// Asks for the batch (proposal: the highest batch printed + 1) and prints the ticket through the print
// dialog; after the print the job's batch counter rises to the batch. Cancel prints nothing.
void PrintJobTicket(int cInt);
