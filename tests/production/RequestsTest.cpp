// Production requests: the three groupings over the requirements, and a change of grouping that rebuilds
// them first.
#include "ProductionFixture.h"

#include "production/SPoziadavkyForm.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/RadioGroup.h"

#include <QApplication>

TEST_F(ProductionTest, RequestsGroupedByJobOrderOrItem)
{
    openJob(260001, 10, "2026-04-01", 40);
    exec("insert into MPOZIADAVKY (STAV_POZ, C_POL, C_INT, C_UROVNE, C_POZICIE, TYP1, NAZOV, MJ, MNOZ_POZ) "
         "values (0, 'V1', 260001, 1, 1, 'V', 'Odliatok', 'ks', 10)");
    vyroba->OpenRequests(0);
    ASSERT_EQ(vyroba->QVPoziad.RecordCount(), 1);
    EXPECT_EQ(vyroba->QVPoziad.FieldByName("C_INT")->AsInteger(), 260001);
    vyroba->OpenRequests(1);
    EXPECT_EQ(vyroba->QVPoziad.FieldByName("C_OBJ")->AsString(), "Z260001");
    vyroba->OpenRequests(2);
    EXPECT_EQ(vyroba->QVPoziad.FieldByName(QString::fromUtf8("Množ.požad."))->AsFloat(), 10);
    EXPECT_TRUE(vyroba->QVPoziad.FieldByName(QString::fromUtf8("Množ.sklad"))->IsNull()); // nothing in stock

    TSPoziadavkyForm form;
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(vyroba->QVPoziad.Active());
    exec("insert into MPOZIADAVKY (STAV_POZ, C_POL, C_INT, C_UROVNE, C_POZICIE, TYP1, MNOZ_POZ) "
         "values (0, 'X9', 269999, 1, 1, 'V', 1)"); // no such job: gone after the rebuild
    form.rgZoskupit->SetItemIndex(1);
    form.rgZoskupit->OnClick();
    EXPECT_TRUE(vyroba->QVPoziad.FindField("C_OBJ") != nullptr);
    EXPECT_EQ(count("select count(*) from MPOZIADAVKY where C_INT=269999"), 0);
    form.close();
}
