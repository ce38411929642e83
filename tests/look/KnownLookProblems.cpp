// What the look rules find today and is still to be mended, window by window; each entry is the start of a
// finding. A window that no longer shows an entry fails its test until the entry is taken off.
#include "LookFixture.h"

const QMap<QString, QStringList> &KnownLookProblems()
{
    static const QMap<QString, QStringList> known{
        {"CisOdbForm", {"TxDBGrid column \"ICDPH\": \"SK2020123456\" cut"}},
        {"CisZakForm", {"TxDBGrid column \"ICDPH\": \"SK2020600777\" cut"}},
        {"Dodacielisty1", {"window: Escape does not close it"}},
        {"FormZakazky-print", {"window: Escape does not close it"}},
        {"Interneobjednavky1", {"window: Escape does not close it"}},
        {"Interneobjednavky2", {"window: Escape does not close it"}},
        {"Oaplikaci1", {"window: Escape does not close it"}},
        {"Operacieamaterialy1",
         {"TxDBGrid in PageControlSluzby on page \"Operácie a materiály\" column \"Op.\": \"ODL\" cut",
          "TxDBGrid in PageControlSluzby on page \"Operácie a materiály\" column \"Prac.\": \"FORM\" cut"}},
        {"SHV1", {"window: Escape does not close it"}},
        {"SVykonyForm-defects", {"window: Escape does not close it"}},
        {"SkladM", {"window: Escape does not close it"}},
        {"SkladN", {"window: Escape does not close it"}},
        {"mnuCenPon", {"window: Escape does not close it"}},
        {"mnuDochadzka", {"window: Escape does not close it"}},
        {"mnuMPoziadavky", {"window: Escape does not close it"}},
        {"mnuOdberatelia", {"window: Escape does not close it"}},
        {"mnuOdvody", {"window: Escape does not close it"}},
        {"mnuPlanPrace", {"window: Escape does not close it"}},
        {"mnuPlanVyroby", {"window: Escape does not close it"}},
        {"mnuPohyby", {"window: Escape does not close it"}},
        {"mnuPolozky", {"window: Escape does not close it"}},
        {"mnuRV", {"window: Escape does not close it"}},
        {"mnuReklamacie", {"window: Escape does not close it"}},
        {"mnuSQL", {"window: Escape does not close it"}},
        {"mnuVPoziadavky", {"window: Escape does not close it"}},
        {"mnuVykony", {"window: Escape does not close it"}},
        {"mnuVyrobky", {"window: Escape does not close it"}},
        {"mnuZakazky", {"window: Escape does not close it"}},
    };
    return known;
}
