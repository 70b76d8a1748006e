#include "Ov2Status.h"

#include <cstring>

namespace ov2 {

Ov2Status Ov2Status::systemFailure(int32_t code, const std::string& what, int error)
{
    return failure(code, what + ": " + std::strerror(error));
}

} // namespace ov2
