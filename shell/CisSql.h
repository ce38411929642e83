// The statements of the code lists, pick lists and messages, each a named constant, and All() that lists
// them whole, so a test prepares every one on a fresh database.
#pragma once

#include <QString>
#include <QStringList>

namespace CisSql {

// ---- customers and employees (TDMCis rules)
extern const QString SmallestCustomer;     // provisional customers count down from it
extern const QString LargestCustomer;      // ordinary ones count up from it
extern const QString EmployeePerformances; // :osc; performances of the last three years keep an employee
extern const QString EmployeeAttendance;   // :osc; attendance of the last year keeps him too

// ---- pick lists: four lines each, select, from, where (set at run time) and order by
extern const QString PickAll; // "select *"
extern const QString OrderPickFrom;
extern const QString OrderPickOrder;
extern const QString OrderPickJobs;           // the select line of jobs
extern const QString OrderPickCustomerOrders; // the select line of a customer's orders
extern const QString OrderPickByJob;          // :c_int
extern const QString OrderPickByOrder;        // :c_obj
extern const QString OrderPickOpenOfCustomer; // :c_odb, :stav_zak
extern const QString ItemPickFrom;
extern const QString ItemPickOrder;
extern const QString ItemPickByCode; // :c_pol, a prefix
extern const QString ItemPickOfType; // the type mask's literal follows, then the filter's conditions
extern const QString ItemInStore;    // %1 the store's literal
extern const QString ItemOfCustomer; // %1 the customer's number
// The whole statement of pick-list lines.
QString PickStatement(const QString &select, const QString &from, const QString &where, const QString &order);

// ---- messages
extern const QString MessageUsers;     // every user who can be sent a message
extern const QString NewMessages;      // :msg_id; the user's unhandled messages after that one
extern const QString MessagesReceived; // :msg_id; stamps the same messages received
extern const QString MessageHandled;   // :id
extern const QString SendMessages;     // :Msg_data, :Msg_title, :Msg_text, then a where line
extern const QString SendToUser;       // :usr
extern const QString SendToDepartment; // :utvar

QStringList All();

} // namespace CisSql
