#include "FormGlobal.h"

#include "DBGrid.h"

void DetachGrids(QWidget *form)
{
    for (TDBGrid *grid : form->findChildren<TDBGrid *>())
        grid->SetDataSource(nullptr);
}
