// The material data module on a fresh database (with the base module it stands on), a message
// responder that records every box, and helpers for stores, items and movements.
#pragma once

#include "material/DMMTZ.h"
#include "shell/Routines.h"
#include "common/ModuleFixture.h"

class MaterialTest : public ModuleTest {
protected:
    MaterialTest() : ModuleTest(Boxes::Answered) {}
    void afterConnect() override
    {
        mtz = std::make_unique<TDMMTZ>();
        exec("insert into CSKLADOV (SKLAD, NAZOV_SKLADU, TYP_SKLADU) values ('M1', 'Materiál', 'M')");
        exec("insert into CSKLADOV (SKLAD, NAZOV_SKLADU, TYP_SKLADU) values ('N1', 'Náradie', 'N')");
    }
    void beforeDisconnect() override { mtz.reset(); }
    double number(const QString &sql, const QVariantList &params = {}) { return value(sql, params).toDouble(); }
    void item(const QString &code, const char *kind = "M", double price = 0)
    {
        exec(QStringLiteral("insert into POLOZKY (C_POL, TYP1, NAZOV, MJ, CENA_NAKL, VAHA1) values ('%1', '%2', "
                            "'Položka %1', 'KS', %3, 2)")
                 .arg(code, QLatin1String(kind), SqlFloat(price)));
    }
    // Appends a movement through the data module as the movement dialog does (sign by kind).
    void move(const QDate &date, int kind, const QString &store, const QString &code, double quantity, double price = 0,
              int job = 0)
    {
        TxTable &m = mtz->QMPohyby;
        if (!m.Active())
            m.Open();
        m.Append();
        m.FieldByName("DATUM")->SetValue(date);
        m.FieldByName("TYP_POHYBU")->SetValue(kind);
        m.FieldByName("SKLAD")->SetValue(store);
        m.FieldByName("C_POL")->SetValue(code);
        m.FieldByName("MNOZSTVO")->SetValue(quantity);
        m.FieldByName("CENA_NAKL")->SetValue(price);
        m.FieldByName("C_INT")->SetValue(job);
        mtz->PostMovementWithSign();
    }
    double stock(const QString &code, const QString &store, const char *column = "MNOZSTVO")
    {
        return number(QStringLiteral("select %1 from MSKLADY where C_POL=:c and SKLAD=:s").arg(QLatin1String(column)),
                      {code, store});
    }

    std::unique_ptr<TDMMTZ> mtz;
};
