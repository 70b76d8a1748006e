#include "poi/Ov2Reason.h"

#include "ov2/Ov2Dylib.h"

QString Ov2Reason::Text(int32_t code, int64_t offset)
{
    const QString at = QString::number(offset);
    switch (code) {
    case OV2_ERROR_ARGUMENT:
        return lkArgument();
    case OV2_ERROR_OPEN:
        return lkOpen();
    case OV2_ERROR_READ:
        return lkRead();
    case OV2_ERROR_RECORD_TYPE:
        return lkRecordType().arg(at);
    case OV2_ERROR_TRUNCATED:
        return lkTruncated().arg(at);
    case OV2_ERROR_LENGTH:
        return lkLength().arg(at);
    case OV2_ERROR_UNTERMINATED:
        return lkUnterminated().arg(at);
    case OV2_ERROR_WRITE:
        return lkWrite();
    case OV2_ERROR_INCOMPLETE:
        return lkIncomplete();
    case OV2_ERROR_NO_MEMORY:
        return lkNoMemory();
    case OV2_ERROR_LIMIT:
        return lkLimit();
    default:
        return lkUnknown().arg(code);
    }
}

LOCALIZED_TEXT(Ov2Reason, lkArgument,
               "a description is too long for a record, or a position lies beyond what an OV2 file holds")
LOCALIZED_TEXT(Ov2Reason, lkOpen, "the file cannot be opened (it is missing, not a regular file or not readable)")
LOCALIZED_TEXT(Ov2Reason, lkRead, "reading the file failed part way")
LOCALIZED_TEXT(Ov2Reason, lkRecordType, "unknown record type at byte %1")
LOCALIZED_TEXT(Ov2Reason, lkTruncated, "the record at byte %1 runs past the end of the file")
LOCALIZED_TEXT(Ov2Reason, lkLength, "the record at byte %1 is too short for its type")
LOCALIZED_TEXT(Ov2Reason, lkUnterminated, "the description of the record at byte %1 does not end inside its record")
LOCALIZED_TEXT(Ov2Reason, lkWrite, "writing failed; the file that was there is unchanged")
LOCALIZED_TEXT(Ov2Reason, lkIncomplete, "some POIs could not be stored, so the file would lack them")
LOCALIZED_TEXT(Ov2Reason, lkNoMemory, "not enough memory")
LOCALIZED_TEXT(Ov2Reason, lkLimit, "more than 2147483647 POIs")
LOCALIZED_TEXT(Ov2Reason, lkUnknown, "error %1")
