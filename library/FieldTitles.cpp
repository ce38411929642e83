#include "FieldTitles.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

namespace {

// By field name, alphabetically.
const TFieldTitle Common[] = {
    {"BALENIE", "Balenie"},
    {"BANKA", "Banka"},
    {"BUCET", "Bank. účet"},
    {"CAS_JED", "Čas jed."},
    {"CAS_PRIP", "Čas prípr."},
    {"CENAC", "Cena celkom"},
    {"CENA_KALK", "Cena kalk."},
    {"CENA_KURZC", "Cena v mene celkom"},
    {"CENA_MAT", "Cena mat."},
    {"CENA_NAKL", "Cena/MJ"},
    {"CENA_PREDC", "Cenníková cena celkom"},
    {"CHLADITKA", "Chladítka"},
    {"C_DL", "č.DL"},
    {"C_DOKLADU", "č.Dokladu"},
    {"C_FAKTURY", "č.Faktúry"},
    {"C_INT_RE", "Reklamácia k"},
    {"C_ODB", "č.Odb."},
    {"C_POL_EXT", "č.Externé"},
    {"C_REV", "Revízia"},
    {"C_VYKRESU", "č.Výkresu"},
    {"DATUM", "Dátum"},
    {"DATUM2", "Dátum exportu"},
    {"DODAVATEL", "Dodávateľ"},
    {"DOPRAVA", "Doprava"},
    {"DOVOLENKA", "Dov."},
    {"DRC", "DRČ"},
    {"D_OBJ", "Dátum obj."},
    {"D_UPDATE", "Dátum zápisu"},
    {"D_VYSTAV", "Dátum"},
    {"EMAIL", "E-mail"},
    {"FAX", "Fax"},
    {"HODNOTA", "Hodnota"},
    {"HODN_DL", "Hodnota"},
    {"ICDPH", "IČ DPH"},
    {"ICO", "IČO"},
    {"ID_POHYBU", "č.Pohybu"},
    {"JADRAKOV", "Jadrá kov."},
    {"JADRAPIES", "Jadrá pies."},
    {"JADROVNIKY", "Jadrovníky"},
    {"KOEF_DOP", "Koef.dopr."},
    {"KOEF_MAT", "Koef.mat."},
    {"KOMOD", "Kokila-Model"},
    {"KONTAKT", "Kontakt"},
    {"KURZ", "Kurz"},
    {"MAJITEL", "Majiteľ"},
    {"MAT1", "Materiál/ks"},
    {"MATC", "Materiál celkom"},
    {"MATCHLAD", "Mat. chladítok"},
    {"MATERIAL", "Materiál"},
    {"MATJADIER", "Mat. jadier"},
    {"MATJADROV", "Mat. jadrovníkov"},
    {"MENA", "Mena"},
    {"MENO", "Meno"},
    {"MESTO", "Mesto"},
    {"MIM1", "Ext.nákl./ks"},
    {"MIMC", "Ext.nákl. celkom"},
    {"MNOZSTVO", "Množstvo"},
    {"MNOZ_DOD", "Množ.dod."},
    {"MNOZ_MIN", "Min.zásoba"},
    {"MNOZ_OBJ", "Množ.obj."},
    {"MNOZ_ODV", "Množ.odv."},
    {"MNOZ_POZ", "Množ.požad."},
    {"MNOZ_REC", "z toho už rezer."},
    {"MNOZ_REZ", "Množ.rezer."},
    {"MNOZ_SKL", "Množ.na sklade"},
    {"MNOZ_VYDO", "Množ.na oprave"},
    {"MNOZ_VYDV", "Množ.vo výrobe"},
    {"MODDOSKA", "Mod. doska"},
    {"MZD1", "Mzdy/ks"},
    {"MZDA", "Mzda"},
    {"MZDAH", "Mzda/hod."},
    {"MZDC", "Mzdy celkom"},
    {"MZDY1", "Mzdy/ks"},
    {"NADCAS25", "Nad25"},
    {"NADCAS50", "Nad50"},
    {"NAHRVOL", "Nahr.v."},
    {"NALIATKY", "Naliatky"},
    {"NASOBNOST", "Násobnosť"},
    {"NEMOC", "PN"},
    {"NEPLATVOL", "Nepl.v."},
    {"NHOD", "Norm.hod."},
    {"NORMA", "Norma"},
    {"OBDOBIE", "Obdobie"},
    {"OBNOVA", "Obnova"},
    {"OBRAZOK", "Obrázok"},
    {"ODDELENIE", "Oddelenie"},
    {"ODVEDENE", "Odvedené"},
    {"ODVMZD1", "Odvody/ks"},
    {"ODVMZDC", "Odvody celkom"},
    {"OHOD", "Odpr.hod."},
    {"OPERACIA", "Operácia"},
    {"OSC", "Os.č."},
    {"OVN1", "Ost.nákl./ks"},
    {"OVNC", "Ost.nákl. celkom"},
    {"PLATVOL", "Plat.v."},
    {"PLAT_PODM", "Plat.podm."},
    {"POPIS", "Popis"},
    {"POZNAMKA", "Poznámka"},
    {"PRACOVISKO", "Pracovisko"},
    {"PREKAZKA1", "Prek.ZL"},
    {"PRID_DOP1", "Prír.dopr./ks"},
    {"PRID_DOPC", "Prír.dopr. celkom"},
    {"PRID_MAT1", "Prír.mat./ks"},
    {"PRID_MATC", "Prír.mat. celkom"},
    {"PRIEZVISKO", "Priezvisko"},
    {"PROFESIA", "Profesia"},
    {"PSC", "PSČ"},
    {"P_ZLAVY", "% zľavy"},
    {"RDOVOD", "Rež.dôv."},
    {"RHOD", "Rež.h."},
    {"ROZMER", "Rozmer"},
    {"SKLAD", "Sklad"},
    {"SPEC1", "č.Výkresu"},
    {"SPEC2", "Doba výroby"},
    {"SPRREZ1", "Spr.réžia/ks"},
    {"SPRREZC", "Spr.réžia celkom"},
    {"SPTAHAC", "Sťahovač"},
    {"STAT", "Štát"},
    {"STATVOL", "OČR"},
    {"STAV_ODV", "Stav"},
    {"STAV_ZAK", "Stav"},
    {"STOL", "Stôl"},
    {"STREDISKO", "Stredisko"},
    {"TARIF", "Tarif"},
    {"TECH_PODM", "Tech.podm."},
    {"TELEFON", "Telefón"},
    {"TERMIN", "Termín"},
    {"TERMIN_OBJ", "Požadované"},
    {"TYP1", "Typ"},
    {"TYP2", "Podtyp"},
    {"TYP_OBJ", "Typ obj."},
    {"TYP_POHYBU", "Typ pohybu"},
    {"TYZDEN", "Týždeň"},
    {"ULICA", "Ulica"},
    {"UV", "ÚV"},
    {"UVN1", "Úplné vl.náklady"},
    {"UVNC", "Úplné vl.nákl. celkom"},
    {"VAHA1", "Váha/ks"},
    {"VAHAC", "Váha celkom"},
    {"VAHA_MAT", "Váha mat."},
    {"VLNC", "Vl.náklady celkom"},
    {"VOLNECASTI", "Voľné časti"},
    {"VTOKSUST", "Vtoková sústava"},
    {"VYPOMDOSKA", "Výpomocná doska"},
    {"VYRREZ1", "Výr.réžia/ks"},
    {"VYRREZC", "Výr.réžia celkom"},
    {"VYSTAVIL", "Vystavil"},
    {"VYSTUHY", "Výstuhy"},
    {"ZALIATOK", "Zaliatok"},
    {"ZIVOTNOST", "Životnosť"},
    {"ZMATKY", "Zmätky"},
    {"ZMENA", "Zm."},
};

QHash<TCaseFoldedName, QString> indexed(std::span<const TFieldTitle> titles)
{
    QHash<TCaseFoldedName, QString> byName;
    for (const auto &[name, title] : titles)
        byName.insert(TCaseFoldedName{QString::fromLatin1(name)}, QString::fromUtf8(title));
    return byName;
}

// Built at the first use: the modules' tables are made before the program starts, in no order.
const QHash<TCaseFoldedName, QString> &commonIndex()
{
    static const QHash<TCaseFoldedName, QString> index = indexed(Common);
    return index;
}

} // namespace

std::span<const TFieldTitle> CommonFieldTitles()
{
    return Common;
}

TFieldTitles::TFieldTitles(std::span<const TFieldTitle> own) : own_(own), byName_(indexed(own)) {}

void TFieldTitles::Apply(TDataSet *dataSet) const
{
    const QHash<TCaseFoldedName, QString> &common = commonIndex();
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField *f = dataSet->Fields(i);
        const TCaseFoldedName name{f->FieldName()};
        if (const auto own = byName_.constFind(name); own != byName_.cend())
            f->SetDisplayLabel(own.value());
        else if (f->DisplayLabel() == f->FieldName())
            if (const auto title = common.constFind(name); title != common.cend())
                f->SetDisplayLabel(title.value());
    }
}

QString TFieldTitles::Title(const QString &field) const
{
    const TCaseFoldedName name{field};
    return byName_.value(name, commonIndex().value(name));
}

const TFieldTitles &CommonTitles()
{
    static const TFieldTitles common;
    return common;
}
