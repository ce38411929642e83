#include "PerformanceOverview.h"

#include <algorithm>
#include <iterator>

namespace {

const TPerformanceView Views[PerformanceViewCount] = {
    {"Detail  za Pracovnika, Datum",
     "select osc,priezvisko,c_int,c_davky,c_vyr,operacia,mnozstvo,zmatky,mzda,nhod,ohod,"
     "7.5*mnozstvo/nullif(nhod,0) as norma,datum,zmena ",
     "order by osc,datum,c_int", "OSC", "DATUM", false},
    {"Detail  za Pracovnika, Operaciu",
     "select osc,priezvisko,operacia,c_int,c_davky,c_vyr,mnozstvo,zmatky,mzda,nhod,ohod,datum,zmena ",
     "order by osc,operacia,datum", "OSC", "OPERACIA", false},
    {"Detail  za Datum, Pracovnika",
     "select datum,zmena,osc,priezvisko,c_int,c_davky,c_vyr,operacia,mnozstvo,zmatky,mzda,nhod,ohod ",
     "order by datum,osc,c_int", "DATUM", "OSC", false},
    {"Detail  za Zakazku, Operaciu",
     "select c_int,operacia,c_davky,osc,priezvisko,c_vyr,mnozstvo,zmatky,mzda,nhod,ohod,datum,zmena ",
     "order by c_int,operacia,osc", "C_INT", "OPERACIA", false},
    {"Sumar za Pracovnika",
     "select osc,priezvisko,profesia, sum(mzda) as mzda, sum(mnozstvo) as mnozstvo, sum(zmatky) as zmatky, "
     "sum(nhod) as nhod, sum(ohod) as ohod ",
     "group by osc,priezvisko,profesia", "OSC", "", true},
    {"Sumar za Pracovnika, Datum",
     "select osc,priezvisko,datum, sum(mzda) as mzda, sum(mnozstvo) as mnozstvo, sum(zmatky) as zmatky, "
     "sum(nhod) as nhod, sum(ohod) as ohod ",
     "group by osc,priezvisko,datum", "OSC", "DATUM", true},
    {"Sumar za Pracovnika, Operaciu",
     "select osc,priezvisko,operacia, sum(mzda) as mzda, sum(mnozstvo) as mnozstvo, sum(zmatky) as zmatky, "
     "sum(nhod) as nhod, sum(ohod) as ohod ",
     "group by osc,priezvisko,operacia", "OSC", "OPERACIA", true},
    {"Sumar za Operacie",
     "select operacia, sum(mzda) as mzda, sum(mnozstvo) as mnozstvo, sum(zmatky) as zmatky, sum(nhod) as nhod, "
     "sum(ohod) as ohod ",
     "group by operacia order by 2 desc", "", "OPERACIA", true},
};

} // namespace

const TPerformanceView &PerformanceView(int view)
{
    return Views[std::clamp(view, 0, PerformanceViewCount - 1)];
}
