#include "ErrorText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace trevalo::engine {

namespace {

struct StatusText {
    Status status;
    std::string_view text;
};

constexpr std::array kTexts{
    StatusText{kOk, "No error"},
    StatusText{kBof, "At beginning of table"},
    StatusText{kEof, "At end of table"},
    StatusText{kInvalidArgument, "Invalid argument"},
    StatusText{kInvalidPacket, "Invalid data packet"},
    StatusText{kNoCurrentRecord, "No current record"},
    StatusText{kFieldOutOfRange, "Field number out of range"},
    StatusText{kValueTooLong, "Value too long for field"},
    StatusText{kTypeMismatch, "Type mismatch in expression"},
    StatusText{kInvalidExpression, "Invalid expression"},
    StatusText{kBookmarkNotFound, "Record not found"},
    StatusText{kInvalidState, "Operation not allowed in the current state"},
    StatusText{kUnknownClass, "Unknown class or interface"},
    StatusText{kBufferTooSmall, "Buffer too small"},
    StatusText{kOutOfMemory, "Not enough memory"},
};

} // namespace

Status WriteErrorText(Status status, char* text, std::uint32_t size) {
    if (!text || size == 0)
        return kInvalidArgument;
    const auto known = std::ranges::find(kTexts, status, &StatusText::status);
    char unknown[32];
    std::string_view message;
    if (known != kTexts.end()) {
        message = known->text;
    } else {
        const int length = std::snprintf(unknown, sizeof unknown, "Record engine error $%04X",
                                         static_cast<unsigned>(status));
        message = std::string_view(unknown, static_cast<std::size_t>(length));
    }
    const std::size_t copied = std::min<std::size_t>(message.size(), size - 1);
    std::memcpy(text, message.data(), copied);
    text[copied] = '\0';
    return kOk;
}

} // namespace trevalo::engine
