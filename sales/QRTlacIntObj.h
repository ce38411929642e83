// TQRTlacIntObj (global QRTlacIntObj): the internal order of one job (A5 landscape) with its operations in
// two columns, its calculation and its barcode; printing it moves a new job to "Tlačená".
#pragma once

#include "platform/report/QuickRep.h"

class TQRAsBarcode;

class TQRTlacIntObj : public TQuickRep {
public:
    TQRTlacIntObj();
    // Operations and wages of the first and second column.
    TQRMemo *QRMemoOp1, *QRMemoMzda1, *QRMemoOp2, *QRMemoMzda2;
    TQRAsBarcode *Barcode;
    // Puts the operations (name, wage) into the two columns: 13 in the first, the rest in the second;
    // beyond 27 the columns share them half and half, so every one prints.
    void SetOperations(const QList<QPair<QString, double>> &operations);
    // The money texts take the money format.
    void SetMoneyMasks(const QString &mask);
    // The job whose state the print raises.
    int Job = 0;
};

extern TQRTlacIntObj *QRTlacIntObj;
