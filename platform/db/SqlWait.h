// The SQL-wait cursor: the data layer brackets every statement with it; the user interface installs
// the hook that shows it (the data layer itself has no widgets).
#pragma once

#include <functional>

void SetSqlWaitHook(std::function<void(bool busy)> hook);
void SqlWaitBegin();
void SqlWaitEnd();

class TSqlWait {
public:
    TSqlWait() { SqlWaitBegin(); }
    ~TSqlWait() { SqlWaitEnd(); }
    TSqlWait(const TSqlWait &) = delete;
    TSqlWait &operator=(const TSqlWait &) = delete;
};
