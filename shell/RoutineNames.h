// The names by which modules reach each other: the open routines the main menu calls and the classes of
// the start-up list. The menu, the start-up list and each module's registration use these constants, so
// a name is typed once; a test checks that every one of them is registered by the module that owns it.
#pragma once

// Plain character arrays: constant from the start, so tables built before main() can use them.

namespace Routine {
// Sales
inline constexpr char ShowOffers[] = "ShowOffers";
inline constexpr char ShowOrders[] = "ShowOrders";
inline constexpr char ShowInternalOrders[] = "ShowInternalOrders";
inline constexpr char ShowCustomers[] = "ShowCustomers";
inline constexpr char ShowProducts[] = "ShowProducts";
inline constexpr char MarkHandedOverAndDelivered[] = "mnuOznacOdvedeneDodaneClick";
// Material
inline constexpr char ShowMaterialItems[] = "ShowMaterialItems";
inline constexpr char ShowStores[] = "ShowStores";
inline constexpr char ShowStockMovements[] = "ShowStockMovements";
inline constexpr char ShowSuppliers[] = "ShowSuppliers";
inline constexpr char ShowPurchaseOrders[] = "ShowPurchaseOrders";
inline constexpr char ShowMaterialRequests[] = "ShowMaterialRequests";
// Production
inline constexpr char ShowProductionRequests[] = "ShowProductionRequests";
inline constexpr char ShowCapacityPlan[] = "ShowCapacityPlan";
inline constexpr char ShowWorkPlan[] = "ShowWorkPlan";
inline constexpr char ShowPerformances[] = "ShowPerformances";
inline constexpr char ShowHandOvers[] = "ShowHandOvers";
inline constexpr char ShowAttendanceWages[] = "ShowAttendanceWages";
inline constexpr char ShowWorkInProgress[] = "ShowWorkInProgress";
inline constexpr char ShowComplaints[] = "ShowComplaints";
// Dispatch
inline constexpr char ShowDeliveryNotes[] = "ShowDeliveryNotes";
inline constexpr char ShowFinishedGoodsStore[] = "ShowFinishedGoodsStore";
// Code lists
inline constexpr char ShowCodeLists[] = "ShowCodeLists";
// Administration
inline constexpr char ShowUsers[] = "ShowUsers";
inline constexpr char UpdateTechnologyHours[] = "mnuAktualizaciaNHTPClick";
inline constexpr char UpdatePerformanceHours[] = "mnuAktualizaciaNHvykonyClick";
inline constexpr char UpdatePerformanceWages[] = "mnuAktualizaciaMZDAvykonyClick";
inline constexpr char ChangePassword[] = "mnuZmenaHeslaClick";
inline constexpr char ShowSqlConsole[] = "ShowSqlConsole";
inline constexpr char Maintenance[] = "mnuUdrzbaClick";
inline constexpr char ShowSettings[] = "ShowSettings";
inline constexpr char ShowAbout[] = "ShowAbout";
} // namespace Routine

// The classes of the start-up list (its order and global names are in Startup.cpp).
namespace StartupClass {
inline constexpr char TDMZal[] = "TDMZal";
inline constexpr char TDMOdbyt[] = "TDMOdbyt";
inline constexpr char TDMCis[] = "TDMCis";
inline constexpr char TDMVyk[] = "TDMVyk";
inline constexpr char TDMOdv[] = "TDMOdv";
inline constexpr char TDMVyroba[] = "TDMVyroba";
inline constexpr char TFormMenu[] = "TFormMenu";
inline constexpr char TCisZamForm[] = "TCisZamForm";
inline constexpr char TCisZakForm[] = "TCisZakForm";
inline constexpr char TCisOdbForm[] = "TCisOdbForm";
inline constexpr char TCisPolForm[] = "TCisPolForm";
inline constexpr char TQTlacForm[] = "TQTlacForm";
inline constexpr char TFormZakazky[] = "TFormZakazky";
inline constexpr char TFormZakazkaHl[] = "TFormZakazkaHl";
inline constexpr char TFormZakazkaDet[] = "TFormZakazkaDet";
inline constexpr char TFormZakazkaDetHl[] = "TFormZakazkaDetHl";
inline constexpr char TFormIntZak[] = "TFormIntZak";
inline constexpr char TOdberatelDForm[] = "TOdberatelDForm";
inline constexpr char TSVykonyForm[] = "TSVykonyForm";
inline constexpr char TSVykonyZForm[] = "TSVykonyZForm";
inline constexpr char TSVykQR1Rep[] = "TSVykQR1Rep";
inline constexpr char TSOdvodyForm[] = "TSOdvodyForm";
inline constexpr char TSOdvQR1Rep[] = "TSOdvQR1Rep";
inline constexpr char TDMMzdy[] = "TDMMzdy";
inline constexpr char TQRPlanZak[] = "TQRPlanZak";
inline constexpr char TDMExp[] = "TDMExp";
inline constexpr char TESkladForm[] = "TESkladForm";
inline constexpr char TDMMTZ[] = "TDMMTZ";
inline constexpr char TMSkladyForm[] = "TMSkladyForm";
inline constexpr char TMPohybDForm[] = "TMPohybDForm";
inline constexpr char TQMsgForm[] = "TQMsgForm";
inline constexpr char TQMsgDForm[] = "TQMsgDForm";
inline constexpr char TDMTPV[] = "TDMTPV";
inline constexpr char TVyrobkyDForm[] = "TVyrobkyDForm";
} // namespace StartupClass
