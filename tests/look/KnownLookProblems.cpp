// What the look rules find today and is still to be mended, window by window; each entry is the start of a
// finding. A window that no longer shows an entry fails its test until the entry is taken off.
#include "LookFixture.h"

const QMap<QString, QStringList> &KnownLookProblems()
{
    // CenPonDForm-edited, CenPonDForm-new, Dodacielisty1, ESkladForm-line, FormZakazkaDet, FormZakazkaDetHl-edited,
    // FormZakazkaDetHl-new, FormZakazkaHl-edited, FormZakazkaHl-new, FormZakazky-print, Interneobjednavky1,
    // Interneobjednavky2, Oaplikaci1, SHV1, SVykonyForm-defects, SkladM, SkladN, mnuCenPon, mnuDochadzka,
    // mnuMPoziadavky, mnuOdberatelia, mnuOdvody, mnuPlanPrace, mnuPlanVyroby, mnuPohyby, mnuPolozky, mnuRV,
    // mnuReklamacie, mnuSQL, mnuVPoziadavky, mnuVykony, mnuVyrobky, mnuZakazky
    static const QStringList shared1{"window: Escape does not close it"};
    static const QMap<QString, QStringList> known{
        {"CenPonDForm-edited", shared1},
        {"CenPonDForm-new", shared1},
        {"CisOdbForm", {"TxDBGrid column \"ICDPH\": \"SK2020123456\" cut"}},
        {"CisZakForm", {"TxDBGrid column \"ICDPH\": \"SK2020600777\" cut"}},
        {"Dodacielisty1", shared1},
        {"ESkladForm-line", shared1},
        {"FormZakazkaDet", shared1},
        {"FormZakazkaDetHl-edited", shared1},
        {"FormZakazkaDetHl-new", shared1},
        {"FormZakazkaHl-edited", shared1},
        {"FormZakazkaHl-new", shared1},
        {"FormZakazky-print", shared1},
        {"Interneobjednavky1", shared1},
        {"Interneobjednavky2", shared1},
        {"Oaplikaci1", shared1},
        {"Operacieamaterialy1",
         {"TxDBGrid in PageControlSluzby on page \"Operácie a materiály\" column \"Op.\": \"ODL\" cut",
          "TxDBGrid in PageControlSluzby on page \"Operácie a materiály\" column \"Prac.\": \"FORM\" cut"}},
        {"SHV1", shared1},
        {"SVykonyForm-defects", shared1},
        {"SkladM", shared1},
        {"SkladN", shared1},
        {"ZakKalkForm", {"TDBGrid on page \"Kalkulácia\" column \"Op.\": \"ODL\" cut"}},
        {"mnuCenPon", shared1},
        {"mnuDochadzka", shared1},
        {"mnuMPoziadavky", shared1},
        {"mnuOdberatelia", shared1},
        {"mnuOdvody", shared1},
        {"mnuPlanPrace", shared1},
        {"mnuPlanVyroby", shared1},
        {"mnuPohyby", shared1},
        {"mnuPolozky", shared1},
        {"mnuRV", shared1},
        {"mnuReklamacie", shared1},
        {"mnuSQL", shared1},
        {"mnuVPoziadavky", shared1},
        {"mnuVykony", shared1},
        {"mnuVyrobky", shared1},
        {"mnuZakazky", shared1},
    };
    return known;
}
