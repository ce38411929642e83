#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt 6 asks for the standard button texts (Yes, No, Cancel...) under the context QPlatformTheme,
// while the Slovak file still has them under QDialogButtonBox, where Qt 5 asked.
class TQtSlovakTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
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
