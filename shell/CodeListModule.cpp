#include "CodeListModule.h"

#include "CisOdbForm.h"
#include "CisPolForm.h"
#include "CisZakForm.h"
#include "CisZamForm.h"
#include "DMCis.h"
#include "DMZal.h"
#include "FormSluzby.h"
#include "MenuHooks.h"
#include "QMsgDForm.h"
#include "QMsgForm.h"
#include "Startup.h"

void RegisterCodeListModule()
{
    SetStartupFactory(QStringLiteral("TDMCis"), [] { return MakeStartupInstance(new TDMCis); });
    SetStartupFactory(QStringLiteral("TCisZamForm"), [] { return MakeStartupInstance(new TCisZamForm); });
    SetStartupFactory(QStringLiteral("TCisZakForm"), [] { return MakeStartupInstance(new TCisZakForm); });
    SetStartupFactory(QStringLiteral("TCisOdbForm"), [] { return MakeStartupInstance(new TCisOdbForm); });
    SetStartupFactory(QStringLiteral("TCisPolForm"), [] { return MakeStartupInstance(new TCisPolForm); });
    SetStartupFactory(QStringLiteral("TQMsgForm"), [] { return MakeStartupInstance(new TQMsgForm); });
    SetStartupFactory(QStringLiteral("TQMsgDForm"), [] { return MakeStartupInstance(new TQMsgDForm); });
    RegisterOpenRoutine(QStringLiteral("ShowCodeLists"), [](const QVariantList &args) {
        if (DMCis)
            ShowCodeLists(args.isEmpty() ? 0 : args.first().toInt());
    });
    CheckMessagesHook = [](bool force) {
        if (DMZal && DMZal->DBZAL.Connected())
            CheckMessages(force);
    };
}
