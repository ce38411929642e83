// A field reads alike in every module: the catalogue's, the common and every module's own captions give a field
// one caption, but for the fields listed here, whose screens caption them otherwise on purpose. A module's own line
// that says what the others say anyway, or a common line the catalogue hides, fails as well.
#include "library/FieldTitles.h"
#include "material/DMMTZ.h"
#include "production/DMMzdy.h"
#include "production/DMOdv.h"
#include "shell/DMCis.h"
#include "shell/DMZal.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Every module's table of its own captions.
const struct {
    const char *module;
    const TFieldTitles *titles;
} Modules[] = {
    {"material", &MaterialTitles},
    {"code lists", &CodeListTitles},
    {"hand-overs", &HandOverTitles},
    {"attendance", &AttendanceTitles},
};

// The fields captioned otherwise on some screens, with every caption they have.
const QMap<QString, QStringList> Differing{
    {"D_VYSTAV", {"Dátum", "Vystavené"}},    {"VAHA1", {"Váha", "Váha/ks"}},
    {"OSC", {"Os.č.", "Os.číslo"}},          {"NHOD", {"Norm.h.", "Norm.hod."}},
    {"OHOD", {"Odpr.h.", "Odpr.hod."}},      {"MNOZ_OBJ", {"Množ.obj.", "Množ.objed."}},
    {"MNOZ_VYR", {"Množ.vyr.", "Množstvo"}}, {"CENA1", {"Cena", "Cena/1ks"}},
};

QMap<QString, QString> lines(const char *text)
{
    QMap<QString, QString> byName;
    for (const QString &line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        byName.insert(line.left(eq), line.mid(eq + 1));
    }
    return byName;
}

QMap<QString, QString> table(std::span<const TFieldTitle> titles, const char *what)
{
    QMap<QString, QString> byName;
    for (const auto &[name, title] : titles) {
        EXPECT_FALSE(byName.contains(QLatin1String(name))) << what << ": " << name << " twice";
        byName.insert(QLatin1String(name), QString::fromUtf8(title));
    }
    return byName;
}

TEST(FieldTitles, AFieldHasOneCaptionButWhereListed)
{
    const QMap<QString, QString> catalogue = lines(CatalogTitleLines);
    const QMap<QString, QString> common = table(CommonFieldTitles(), "common");
    // Field -> caption -> where it is given.
    QMap<QString, QMap<QString, QStringList>> given;
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
        EXPECT_FALSE(common.contains(it.key())) << it.key().toStdString() << ": the catalogue captions it first";
        given[it.key()][it.value()] << QStringLiteral("catalogue");
    }
    for (auto it = common.cbegin(); it != common.cend(); ++it)
        given[it.key()][it.value()] << QStringLiteral("common");
    for (const auto &[module, titles] : Modules) {
        const QMap<QString, QString> own = table(titles->Own(), module);
        for (auto it = own.cbegin(); it != own.cend(); ++it) {
            const QString without = catalogue.value(it.key(), common.value(it.key()));
            EXPECT_NE(it.value().toStdString(), without.toStdString())
                << module << ": " << it.key().toStdString() << " says what the others say";
            given[it.key()][it.value()] << QString::fromLatin1(module);
        }
    }
    for (auto it = given.cbegin(); it != given.cend(); ++it) {
        const QStringList captions = it.value().keys();
        if (captions.size() > 1 || Differing.contains(it.key())) {
            QStringList where;
            for (auto c = it.value().cbegin(); c != it.value().cend(); ++c)
                where << c.key() + QStringLiteral(" (") + c.value().join(QStringLiteral(", ")) + QLatin1Char(')');
            EXPECT_EQ(captions.join(" | ").toStdString(), Differing.value(it.key()).join(" | ").toStdString())
                << it.key().toStdString() << ": " << where.join(QStringLiteral("; ")).toStdString();
        }
    }
}

} // namespace
