// The long-lived forms of the start that no menu item opens by itself, each opened as the program opens it:
// the pick lists, the message list and its composer, the print choice and the preview it leads to.
#include "LookFixture.h"

#include "library/QTlacForm.h"
#include "library/xForm.h"
#include "platform/ui/ReportPreview.h"
#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/CisZamForm.h"
#include "production/DMVyk.h"
#include "production/SVykonyZForm.h"
#include "shell/FormMenu.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

using StartupFormsLook = LookTest;

TEST_F(StartupFormsLook, PickListsOfEmployeesJobsCustomersAndItems)
{
    look("CisZamForm", [] {
        int employee = 0;
        PickEmployee(employee);
    });
    look("CisZakForm", [] { ShowOrderPick(QString()); });
    look("CisOdbForm", [] { PickCustomerAll(); });
    look("CisPolForm", [] {
        QString item;
        PickItem(item, QChar());
    });
}

TEST_F(StartupFormsLook, MessageListFromTheMenuAndANewMessage)
{
    look(
        "QMsgForm-menu", [this] { menu->Spravy1->trigger(); },
        [this](QWidget *list) { look("QMsgDForm", [list] { clickButton(list, QStringLiteral("Nová")); }); });
}

TEST_F(StartupFormsLook, PrintChoiceAndPreviewOfAnOrderConfirmation)
{
    look(
        "FormZakazky-print", [this] { menu->mnuZakazky->trigger(); },
        [this](QWidget *orders) {
            // The choice leads to the print dialog once it has closed, and the print dialog to the preview.
            std::shared_ptr<bool> previewed;
            const auto printed = watch<TQTlacForm>("QTlacForm", [&](QWidget *print) {
                previewed = watch<TReportPreview>("ReportPreview");
                clickButton(print, QStringLiteral("Obrazovka"));
            });
            look<TxForm>(
                "ChooseOption-Tlacit", [orders] { clickButton(orders, QStringLiteral("Tlač")); },
                [](QWidget *choice) { clickButton(choice, QString::fromUtf8("Potvrdenie objednávky")); });
            EXPECT_TRUE(*printed) << "no print dialog";
            EXPECT_TRUE(previewed && *previewed) << "no preview";
        });
}

TEST_F(StartupFormsLook, DefectCausesOfAPerformance)
{
    look(
        "SVykonyForm-defects", [this] { menu->mnuVykony->trigger(); },
        [this](QWidget *) {
            // A booking without defects, whose breakdown Escape leaves as it is.
            TxDataSet &bookings = DMVyk->QvSVykony;
            bookings.Close();
            bookings.SelectSQL.SetStrings(0, QStringLiteral("select * "));
            bookings.SelectSQL.SetStrings(2, QStringLiteral("where zmatky = 0 "));
            bookings.Open();
            ASSERT_FALSE(bookings.IsEmpty()) << "no bookings";
            look("SVykonyZForm", [&bookings] { ShowDefectBreakdown(&bookings, true); });
        });
}

} // namespace
