#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace {

struct TQtText {
    const char *context;
    const char *source;
    const char *slovak;
};

// Texts of Qt's print dialog, its printer properties and its page setup that Qt's Slovak file does not
// have (they came with Qt 6), and the file dialog's file kinds.
constexpr TQtText kMissingTexts[] = {
    {"QPrintSettingsOutput", "Pages", "Strany"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
     "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Strany alebo rozsahy oddelené čiarkami; rozsah sú dve čísla spojené pomlčkou. Napríklad 3,5-7,9 "
     "vytlačí strany 3, 5, 6, 7 a 9."},
    {"QPrintSettingsOutput", "Page Set:", "Výber strán:"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Obojstranná tlač"},
    {"QPrintSettingsOutput", "Off", "Vypnutá"},
    {"QPrintSettingsOutput", "Long side binding", "Väzba na dlhej strane"},
    {"QPrintSettingsOutput", "Short side binding", "Väzba na krátkej strane"},
    {"QPrintDialog", "All Pages", "Všetky strany"},
    {"QPrintDialog", "Odd Pages", "Nepárne strany"},
    {"QPrintDialog", "Even Pages", "Párne strany"},
    {"QPrintDialog", "Left to Right, Top to Bottom", "Zľava doprava, zhora nadol"},
    {"QPrintDialog", "Left to Right, Bottom to Top", "Zľava doprava, zdola nahor"},
    {"QPrintDialog", "Right to Left, Bottom to Top", "Sprava doľava, zdola nahor"},
    {"QPrintDialog", "Right to Left, Top to Bottom", "Sprava doľava, zhora nadol"},
    {"QPrintDialog", "Bottom to Top, Left to Right", "Zdola nahor, zľava doprava"},
    {"QPrintDialog", "Bottom to Top, Right to Left", "Zdola nahor, sprava doľava"},
    {"QPrintDialog", "Top to Bottom, Left to Right", "Zhora nadol, zľava doprava"},
    {"QPrintDialog", "Top to Bottom, Right to Left", "Zhora nadol, sprava doľava"},
    {"QPrintDialog", "Invalid Pages Definition", "Nesprávne zadané strany"},
    {"QPrintDialog",
     "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define "
     "ranges and make sure ranges do not intersect with each other.",
     "%1 nie sú správne zadané strany. Strany a rozsahy oddeľte čiarkou (,), rozsah zadajte pomlčkou (-) a "
     "rozsahy sa nesmú prekrývať."},
    {"QPrintDialog", "Duplex Settings Conflicts", "Nastavenia obojstrannej tlače si odporujú"},
    {"QPrintDialog", "There are conflicts in duplex settings. Do you want to fix them?",
     "Nastavenia obojstrannej tlače si odporujú. Chcete ich opraviť?"},
    {"QPrintDialog",
     "Options 'Pages Per Sheet' and 'Page Set' cannot be used together.\nPlease turn one of those options off.",
     "Voľby „Strán na list“ a „Výber strán“ sa nedajú použiť spolu.\nJednu z nich vypnite."},
    {"QPrintPropertiesDialog", "Printer Properties", "Vlastnosti tlačiarne"},
    {"QPrintPropertiesDialog", "Job Options", "Tlačová úloha"},
    {"QPrintPropertiesDialog", "Page Setup Conflicts", "Nastavenia strany si odporujú"},
    {"QPrintPropertiesDialog", "There are conflicts in page setup options. Do you want to fix them?",
     "Nastavenia strany si odporujú. Chcete ich opraviť?"},
    {"QPrintPropertiesDialog", "Advanced Option Conflicts", "Rozšírené nastavenia si odporujú"},
    {"QPrintPropertiesDialog", "There are conflicts in some advanced options. Do you want to fix them?",
     "Niektoré rozšírené nastavenia si odporujú. Chcete ich opraviť?"},
    {"QPrintPropertiesWidget", "Advanced", "Rozšírené"},
    {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
     "Niektoré nastavenia si odporujú. Opravte ich."},
    {"QPageSetupWidget", "Page Layout", "Rozloženie strán"},
    {"QPageSetupWidget", "Page order:", "Poradie strán:"},
    {"QPageSetupWidget", "Pages per sheet:", "Strán na list:"},
    {"QPageSetupWidget", "Custom", "Vlastná"},
    {"QPageSetupWidget", "Pica (P̸)", "Pika (P̸)"},
    {"QCupsJobWidget", "Job", "Úloha"},
    {"QCupsJobWidget", "Job Control", "Riadenie úlohy"},
    {"QCupsJobWidget", "Scheduled printing:", "Naplánovaná tlač:"},
    {"QCupsJobWidget", "Billing information:", "Údaje na vyúčtovanie:"},
    {"QCupsJobWidget", "Job priority:", "Priorita úlohy:"},
    {"QCupsJobWidget", "Banner Pages", "Úvodný a záverečný list"},
    {"QCupsJobWidget", "Start:", "Na začiatku:"},
    {"QCupsJobWidget", "End:", "Na konci:"},
    {"QCupsJobWidget", "Print Immediately", "Tlačiť hneď"},
    {"QCupsJobWidget", "Hold Indefinitely", "Pozdržať do odvolania"},
    {"QCupsJobWidget", "Day (06:00 to 17:59)", "Cez deň (06:00 až 17:59)"},
    {"QCupsJobWidget", "Night (18:00 to 05:59)", "V noci (18:00 až 05:59)"},
    {"QCupsJobWidget", "Second Shift (16:00 to 23:59)", "Druhá zmena (16:00 až 23:59)"},
    {"QCupsJobWidget", "Third Shift (00:00 to 07:59)", "Tretia zmena (00:00 až 07:59)"},
    {"QCupsJobWidget", "Weekend (Saturday to Sunday)", "Cez víkend (sobota až nedeľa)"},
    {"QCupsJobWidget", "Specific Time", "V zadanom čase"},
    {"QCupsJobWidget", "None", "Žiadny"},
    {"QCupsJobWidget", "Standard", "Štandardný"},
    {"QCupsJobWidget", "Unclassified", "Neutajované"},
    {"QCupsJobWidget", "Confidential", "Dôverné"},
    {"QCupsJobWidget", "Classified", "Utajované"},
    {"QCupsJobWidget", "Secret", "Tajné"},
    {"QCupsJobWidget", "Top Secret", "Prísne tajné"},
    {"QPageSize", "Postcard", "Pohľadnica"},
    {"QPageSize", "Double Postcard", "Dvojitá pohľadnica"},
    {"QAbstractFileIconProvider", "Folder", "Priečinok"},
    {"QAbstractFileIconProvider", "Drive", "Jednotka"},
    {"QAbstractFileIconProvider", "File", "Súbor"},
    {"QAbstractFileIconProvider", "%1 File", "Súbor %1"},
    {"QAbstractFileIconProvider", "Shortcut", "Odkaz"},
    {"QAbstractFileIconProvider", "Unknown", "Neznámy"},
};

// Paper names keep their format name (A4, Letter, C5...); only the word before it is Slovak.
constexpr TQtText kPageSizeWords[] = {
    {"QPageSize", "Envelope ", "Obálka "},
    {"QPageSize", "Fan-fold ", "Skladaný "},
    {"QPageSize", "Custom (", "Vlastná ("},
};

QString missingText(const char *context, const char *sourceText)
{
    for (const TQtText &t : kMissingTexts)
        if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0)
            return QString::fromUtf8(t.slovak);
    if (std::strcmp(context, "QPageSize") == 0)
        for (const TQtText &t : kPageSizeWords)
            if (std::strncmp(t.source, sourceText, std::strlen(t.source)) == 0)
                return QString::fromUtf8(t.slovak) + QString::fromUtf8(sourceText + std::strlen(t.source));
    return QString();
}

// Qt 6 asks for the standard button texts (Yes, No, Cancel...) under the context QPlatformTheme,
// while the Slovak file still has them under QDialogButtonBox, where Qt 5 asked. Texts the file lacks
// come from the table above.
class TQtSlovakTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        if (text.isEmpty() && context && sourceText)
            text = missingText(context, sourceText);
        return text;
    }
};

} // namespace

bool LoadQtTranslation()
{
    static QTranslator *installed = nullptr;
    if (installed)
        return true;
    auto *translator = new TQtSlovakTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_sk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
