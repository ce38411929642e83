#include "JobMarks.h"

#include "ZakSql.h"
#include "shell/DMZal.h"
#include "shell/Routines.h"

#include <QVariant>

namespace {

struct TMarkRule {
    int state;             // the mark's state
    int undoState;         // the state its undo lowers to
    const char *word;      // "odvedenie" ...
    const char *adjective; // "odvedenú" ...
};

TMarkRule ruleOf(TJobMark mark)
{
    switch (mark) {
    case TJobMark::HandedOver:
        return {90, 40, "odvedenie", "odvedenú"};
    case TJobMark::Finished:
        return {100, 90, "ukončenie", "ukončenú"};
    case TJobMark::Cancelled:
        break;
    }
    return {101, 40, "storno", "stornovanú"};
}

} // namespace

bool MarkJob(int cInt, TJobMark mark)
{
    const TMarkRule rule = ruleOf(mark);
    // Read now: a list row may be stale when another workstation has changed the job since.
    const QVariant state = SelectValueParams(ZakSql::JobState, {cInt});
    const QString n = QString::number(cInt);
    if (!state.isNull() && state.toInt() == rule.state) {
        if (!Confirm(QString::fromUtf8("Skutočne zrušiť \"%1\" zákazky %2 ?").arg(QString::fromUtf8(rule.word), n),
                     QString::fromUtf8("Otázka")))
            return false;
        return DMZal->SetOrderState(cInt, -rule.undoState);
    }
    if (!Confirm(QString::fromUtf8("Skutočne označiť zákazku %1 ako %2 ?").arg(n, QString::fromUtf8(rule.adjective)),
                 QString::fromUtf8("Otázka")))
        return false;
    return DMZal->SetOrderState(cInt, rule.state, 0);
}
