#pragma once
// Result codes of the video player and its renderer, numbered like the classic
// media framework's, because the error messages show them.
#include <cstdint>

namespace video_result {
constexpr uint32_t kOk = 0;
constexpr uint32_t kPointer = 0x80004003;     // E_POINTER
constexpr uint32_t kInvalidArg = 0x80070057;  // E_INVALIDARG
constexpr uint32_t kFail = 0x80004005;        // E_FAIL
constexpr uint32_t kUnexpected = 0x8000FFFF;  // E_UNEXPECTED
constexpr uint32_t kOutOfMemory = 0x8007000E;
constexpr uint32_t kAccessDenied = 0x80070005;
constexpr uint32_t kNotFound = 0x80040216;         // VFW_E_NOT_FOUND
constexpr uint32_t kCannotConnect = 0x80040217;    // VFW_E_CANNOT_CONNECT
constexpr uint32_t kTypeNotAccepted = 0x8004022A;  // VFW_E_TYPE_NOT_ACCEPTED
constexpr uint32_t kUnknownFileType = 0x80040240;  // VFW_E_UNKNOWN_FILE_TYPE
constexpr uint32_t kInvalidCall = 0x8876086C;      // D3DERR_INVALIDCALL

inline bool Failed(uint32_t result) {
    return (result & 0x80000000u) != 0;
}
}  // namespace video_result
