// The printed order documents: the internal order of a job (which moves a new job to "Tlačená") and its
// back page, the order review, the order list, the purchase contract and the order confirmation.
#pragma once

#include <QString>

// Previews the internal order of the job; once produced the job's state rises to 3 from 0..2.
void PrintInternalOrder(int cInt);
void PreviewInternalOrderBack();
// The print dialog of the review sheet of the order.
void PrintOrderReview(const QString &order);
// Previews the orders as the orders browser shows them.
void PreviewOrderList();
// The contract's template is edited first ("zmluva.txt"); a cancelled edit prints nothing.
void PrintContract(const QString &order);
void PrintOrderConfirmation(const QString &order);
