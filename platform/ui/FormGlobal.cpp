#include "FormGlobal.h"

#include "DBGrid.h"

#include <QHash>

namespace {

QHash<QString, TFormGlobalBase *> &globals()
{
    static QHash<QString, TFormGlobalBase *> all;
    return all;
}

} // namespace

TFormGlobalBase::TFormGlobalBase(const char *globalName) : name_(globalName)
{
    globals().insert(QLatin1String(globalName), this);
}

TFormGlobalBase::~TFormGlobalBase()
{
    globals().remove(QLatin1String(name_));
}

void TFormGlobalBase::makePending() const
{
    if (!pending_)
        return;
    // Cleared first: the form's own constructor looks at its global while it is being made.
    pending_ = false;
    if (FormGlobalMaker())
        FormGlobalMaker()(QLatin1String(name_));
}

bool SetFormGlobalPending(const QString &globalName, bool pending)
{
    TFormGlobalBase *global = globals().value(globalName);
    if (!global)
        return false;
    global->pending_ = pending;
    return true;
}

std::function<void(const QString &)> &FormGlobalMaker()
{
    static std::function<void(const QString &)> maker;
    return maker;
}

void DetachGrids(QWidget *form)
{
    for (TDBGrid *grid : form->findChildren<TDBGrid *>())
        grid->SetDataSource(nullptr);
}
