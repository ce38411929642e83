// The customers browser's list (DMCis.QOdberatelia): its order and its quick search, and the one customer
// of the customer dialog.
#pragma once

#include <QString>

// Clears any search and lists the customers with a positive number, ordered by the field.
void SortCustomers(const QString &fieldName);
// The customers whose field starts with the typed text (taken as a literal, whatever it holds); besides
// the number search only customers with a positive number. The order stays.
void QuickSearchCustomers(const QString &fieldName, const QString &text);
// Filters the list to the one customer; false when there is none of that number.
bool OpenOneCustomer(int customer);
