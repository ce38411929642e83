#include "PerformanceBarcode.h"

#include <algorithm>

TPerformanceBarcode DecodePerformanceBarcode(const QString &text)
{
    TPerformanceBarcode code;
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    const bool digits = !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
    if (!ok || v <= 0) {
        // Too long for a 64-bit number, yet all digits: a job ticket of a job that cannot exist.
        if (digits && t.size() >= 16 && t.count(QLatin1Char('0')) < t.size()) {
            code.kind = TPerformanceBarcode::UnknownJob;
            code.jobText = t.left(t.size() - 6);
        }
        return code;
    }
    if (v <= 9999) {
        code.kind = TPerformanceBarcode::Employee;
        code.osc = int(v);
    } else if (v <= 999999999) {
        code.kind = TPerformanceBarcode::JobOperation;
        code.cInt = int(v / 1000);
        code.operation = int(v % 1000);
    } else if (QString::number(v).size() >= 16) {
        // No job number has ten digits: the code names a job that cannot exist.
        code.kind = TPerformanceBarcode::UnknownJob;
        code.jobText = QString::number(v / 1000000);
    } else {
        code.kind = TPerformanceBarcode::JobTicket;
        code.cInt = int(v / 1000000);
        code.batch = int((v / 1000) % 1000);
        code.operation = int(v % 1000);
    }
    return code;
}
