// The low-level Firebird client in one include: attachments, transactions, statements, values,
// blobs, named parameters, errors and the server's services.
#pragma once

#include "Attachment.h"
#include "Blob.h"
#include "Column.h"
#include "ConnectParams.h"
#include "Decode.h"
#include "Encode.h"
#include "IBError.h"
#include "ParamParser.h"
#include "Services.h"
#include "Statement.h"
#include "Transaction.h"
