// The calculation of a job: for 1,000 jobs of 20 operations and 10 materials each, the model's
// recalculation of the loaded job against loading that job's rows, and the statements sent while it
// recalculates (there should be none: the model works on the loaded rows).
// Usage: calc_bench [path of database/create.sh]
#include "BenchTiming.h"
#include "ProgramDatabase.h"
#include "platform/db/SqlWait.h"
#include "platform/os/IniFile.h"
#include "sales/DMOdbyt.h"
#include "sales/DMTPV.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kJobs = 1000;
constexpr int kOperations = 20;
constexpr int kMaterials = 10;

void fill(TDMZal &dm)
{
    fb::Attachment &att = dm.DBZAL.Attachment();
    for (const char *sql : {
             "insert into CTARIFOV (TARIF, MZDAH) values ('T5', 6)",
             "insert into CPRACOVISK (PRACOVISKO, TYP_VYRREZ, KOEF_VYRREZ) values ('FORM', '%', 50)",
             "insert into CPRACOVISK (PRACOVISKO, TYP_VYRREZ, KOEF_VYRREZ) values ('CIST', 'H', 12)",
             "insert into CMATERIALOV (MATERIAL, CENA_MAT) values ('GJL-250', 1.6)",
             "insert into CNAKLADOV (TYP_NAKL, NAKLAD, KOEF_NAKL) values ('O', 'BAL', 0)",
             "insert into CREZII (POLE, HODNOTA, ZAKLAD) values ('P_ODVMZD', 35, 'M')",
             "insert into CREZII (POLE, HODNOTA, ZAKLAD) values ('K_VYRREZ', 20, 'U')",
             "insert into CREZII (POLE, HODNOTA, ZAKLAD) values ('K_SPRREZ', 10, 'U')",
             "insert into CREZII (POLE, HODNOTA, ZAKLAD) values ('P_ZISKU', 15, 'U')",
             "insert into CREZII (POLE, HODNOTA, ZAKLAD) values ('STRATY_OP', 1, ' ')",
             "insert into POLOZKY (C_POL, TYP1, MATERIAL, VAHA_MAT, VAHA1) values ('V1', 'V', 'GJL-250', 12.5, 10)",
             "insert into ZAKAZKY (C_OBJ, TYP_OBJ, C_ODB, MENA) values ('ZAK260001', 'Z', 1, 'EUR')",
         })
        att.executeImmediate(QString::fromUtf8(sql));
    att.executeImmediate(
        QStringLiteral(
            "execute block as declare j integer = 1; declare i integer; begin while (j <= %1) do begin "
            "insert into ZAKAZKYD (C_INT, C_OBJ, C_VYR, MNOZ_OBJ, STAV_ZAK) values (260000 + :j, 'ZAK260001', 'V1', "
            "10, 1); "
            "insert into ZAKKALK (C_INT, MATERIAL, CENA_MAT, VAHA_MAT, VAHA1, P_PREPALU, KURZ, OVN1, MIM1) "
            "values (260000 + :j, 'GJL-250', 1.6, 12.5, 10, 4, 25, 2, 1); "
            "i = 1; while (i <= %2) do begin insert into ZAKOPERACIE (C_INT, C_OPERACIE, OPERACIA, PRACOVISKO, TARIF, "
            "CAS_JED, MZDA, VYRREZ, P_STRATY) values (260000 + :j, :i * 10, 'FOR', iif(mod(:i, 2) = 0, 'FORM', "
            "'CIST'), "
            "'T5', :i, :i * 0.1, :i * 0.05, mod(:i, 3)); i = i + 1; end "
            "i = 1; while (i <= %3) do begin insert into ZAKKUSOVNIK (C_INT, C_POZICIE, C_POL, MNOZSTVO, HODNOTA) "
            "values (260000 + :j, :i * 10, 'M', 1, :i * 0.3); i = i + 1; end "
            "insert into ZAKKALKD (C_INT, TYP_NAKL, NAKLAD, HODNOTA) values (260000 + :j, 'O', 'BAL', 2); "
            "insert into ZAKKALKD (C_INT, TYP_NAKL, NAKLAD, HODNOTA) values (260000 + :j, 'M', 'ZIH', 1); "
            "j = j + 1; end end")
            .arg(kJobs)
            .arg(kOperations)
            .arg(kMaterials));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const std::unique_ptr<TDMZal> program = OpenProgramDatabase("calc_bench", argc, argv, folder.path());
    if (!program)
        return 1;
    TDMZal &dm = *program;
    fill(dm);
    TDMCis cis;
    TDMTPV tpv;
    TDMOdbyt odbyt;

    int statements = 0;
    bool counting = false;
    SetSqlWaitHook([&](bool busy) {
        if (busy && counting)
            ++statements;
    });
    // Processor time, as the other benchmarks take it: a busy machine disturbs it less than the clock.
    double loading = 0, recalculation = 0;
    for (int j = 1; j <= kJobs; ++j) {
        double start = CpuMs();
        odbyt.QvZakKalk.Close();
        odbyt.QvZakKalk.SetFilter(QStringLiteral("C_INT=%1").arg(260000 + j));
        odbyt.QvZakKalk.Open();
        odbyt.QvZakKalk.Edit();
        for (TDataSet *ds : std::initializer_list<TDataSet *>{&odbyt.QZakOperacie, &odbyt.QZakKusovnik,
                                                              &odbyt.QZakKalkO, &odbyt.QZakKalkM}) {
            ds->Open();
            ds->FetchAll();
        }
        loading += CpuMs() - start;

        start = CpuMs();
        counting = true;
        odbyt.Recalculate();
        counting = false;
        recalculation += CpuMs() - start;
        odbyt.CloseCalculation();
    }
    SetSqlWaitHook(nullptr);
    std::printf("calc: recalculating the jobs' calculations against loading them: %d jobs, recalculation %.1f ms, "
                "loading %.1f ms, ratio %.2f, statements during recalculation %d\n",
                kJobs, recalculation, loading, loading > 0 ? recalculation / loading : 0.0, statements);
    return 0;
}
