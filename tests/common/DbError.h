// Expecting a database error of the server with its codes:
//   EXPECT_DB_ERROR(t->Post(), .SQLCode = -803, .IBErrorCode = 335544665, .Constraint = "PK_T");
// Codes left out are not checked. The macro gives the error caught (or an empty one) for further checks.
#pragma once

#include "platform/fbapi/IBError.h"

#include <functional>
#include <gtest/gtest.h>

struct TDbErrorCodes {
    int SQLCode = 0;
    int IBErrorCode = 0;
    QString Constraint = {};
};

inline EIBError ExpectDbError(const std::function<void()> &statement, const TDbErrorCodes &codes, const char *text,
                              const char *file, int line)
{
    try {
        statement();
    } catch (const EIBError &e) {
        if (codes.SQLCode != 0 && e.SQLCode != codes.SQLCode)
            ADD_FAILURE_AT(file, line) << text << ": SQL code " << e.SQLCode << ", expected " << codes.SQLCode;
        if (codes.IBErrorCode != 0 && e.IBErrorCode != codes.IBErrorCode)
            ADD_FAILURE_AT(file, line) << text << ": error code " << e.IBErrorCode << ", expected "
                                       << codes.IBErrorCode;
        if (!codes.Constraint.isEmpty() && e.ConstraintName != codes.Constraint)
            ADD_FAILURE_AT(file, line) << text << ": names " << e.ConstraintName.toStdString() << ", expected "
                                       << codes.Constraint.toStdString();
        return e;
    }
    ADD_FAILURE_AT(file, line) << text << ": no database error";
    return EIBError(QString(), 0, 0);
}

#define EXPECT_DB_ERROR(statement, ...)                                                                                \
    ExpectDbError([&] { statement; }, TDbErrorCodes{__VA_ARGS__}, #statement, __FILE__, __LINE__)
