#pragma once

#include "platform/Localized.h"

#include <QString>

#include <cstdint>

// Why the OV2 library failed, in the user's language: one text per status code, with the
// byte offset of the record at fault in a damaged file. The library's own words are
// English and stay in its log of the last call.
class Ov2Reason {
public:
    // offset: from ov2LastErrorOffset, -1 when the failure has none.
    static QString Text(int32_t code, int64_t offset);

    LOCALIZED_TEXT_DECL(lkArgument);
    LOCALIZED_TEXT_DECL(lkOpen);
    LOCALIZED_TEXT_DECL(lkRead);
    LOCALIZED_TEXT_DECL(lkRecordType);
    LOCALIZED_TEXT_DECL(lkTruncated);
    LOCALIZED_TEXT_DECL(lkLength);
    LOCALIZED_TEXT_DECL(lkUnterminated);
    LOCALIZED_TEXT_DECL(lkWrite);
    LOCALIZED_TEXT_DECL(lkIncomplete);
    LOCALIZED_TEXT_DECL(lkNoMemory);
    LOCALIZED_TEXT_DECL(lkLimit);
    LOCALIZED_TEXT_DECL(lkUnknown);
};
