// The complaint protocols as their browser lists them and the one protocol a print reads.
#pragma once

class TxQuery;

// The protocols of the last 365 days, newest number first; whatever condition another form had put into
// the list's WHERE line is dropped.
void OpenRecentComplaints();
// The current protocol alone in the print query DMZal.QTlac (with its job's order, product and customer).
TxQuery &CurrentComplaintForPrint();
