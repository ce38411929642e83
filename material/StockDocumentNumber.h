// Stock document numbers (YYMMnnn per month, kind and store) drawn so that no two workstations get the
// same one: a drawn number is kept at once, in a transaction of its own, before any movement is saved
// under it; several movements of one document then share it.
#pragma once

#include <QDate>
#include <QString>

namespace fb {
class Attachment;
}

// The next number of the month of date for the kind and store, kept as drawn. A number another workstation
// drew meanwhile is skipped. Throws EDatabaseError with a Slovak message when none can be drawn.
int DrawStockDocumentNumber(fb::Attachment &attachment, const QDate &date, int kind, const QString &store);
