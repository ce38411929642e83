// The low-level Firebird client in one include: attachments, transactions, statements, values,
// blobs, named parameters and errors.
#pragma once

#include "Attachment.h"
#include "Blob.h"
#include "Column.h"
#include "ConnectParams.h"
#include "Decode.h"
#include "Encode.h"
#include "IBError.h"
#include "ParamParser.h"
#include "Statement.h"
#include "Transaction.h"
