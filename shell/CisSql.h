// The statements of the code lists, pick lists and messages, each a named constant, and All() that lists
// them whole, so a test prepares every one on a fresh database.
#pragma once

#include <QString>
#include <QStringList>

namespace CisSql {

// ---- customers and employees (TDMCis rules)
extern const QString SmallestCustomer; // provisional customers count down from it
extern const QString LargestCustomer;  // ordinary ones count up from it
// :c_odb; 1 when orders, offers, delivery notes or items (products and tools) name the customer
extern const QString CustomerOrders;
extern const QString CustomerOffers;
extern const QString CustomerNotes;
extern const QString CustomerItems;
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
extern const QString ItemPickOfType; // %1 the type mask's literal, then the filter's conditions
extern const QString ItemInStore;    // %1 the store's literal
extern const QString ItemOfCustomer; // %1 the customer's number
// ---- conditions of the pick lists' filters: %1, %2 ... a literal (SqlLiteral, SqlLikePrefix) or a number
extern const QString And;              // joins two conditions
extern const QString CustomerNameLike; // the customers' table
extern const QString CustomerIcoLike;
extern const QString CustomerCityLike;
extern const QString CustomerNumberIs;
extern const QString CustomerIcoIs;
extern const QString CustomerNotProvisional; // no negative (provisional) numbers
extern const QString OrderPickWhere;         // the where line of the order pick list, its condition %1
extern const QString JobStateBelow;          // the order pick list's rows
extern const QString JobStateBetween;
extern const QString JobProductLike;
extern const QString JobNameLike;
extern const QString JobCustomerIs;
extern const QString JobOrderLike;
extern const QString JobProductIs;
extern const QString JobOrderIs;
extern const QString JobOpenOfProductAndCustomer; // product, customer, the state it is open below
extern const QString ItemColumnLike;              // the item pick list: %1 a column of POLOZKY, %2 its pattern
extern const QString EmployeeNumberIs;            // the employees' table; :osc

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

// ---- the code-list form
extern const QString KeyFields; // :t; the primary key's columns of a table

QStringList All();

} // namespace CisSql
