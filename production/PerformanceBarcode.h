// What a scanned or typed performance code means: up to four digits an employee card, five to nine a
// job and operation, ten or more the job ticket's job, batch and operation.
#pragma once

#include <QString>

struct TPerformanceBarcode {
    enum Kind { Nothing, Employee, JobOperation, JobTicket, UnknownJob };
    Kind kind = Nothing;
    int osc = 0;
    int cInt = 0;
    int batch = 0;
    int operation = 0;
    QString jobText; // the job part of an UnknownJob code
};

// Text that is no positive number means nothing; a code whose job part does not fit a job number
// (16 digits and more) is an unknown job.
TPerformanceBarcode DecodePerformanceBarcode(const QString &text);
