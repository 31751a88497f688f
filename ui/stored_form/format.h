#pragma once
// The stored form description: the bytes that the writer and the reader share.
// All integers are little-endian.
#include <cstddef>
#include <cstdint>

#include "runtime/startup/project.h"

namespace mivello::stored_form::format {

inline constexpr std::uint8_t kMark[2] = {0xFF, 0xCC};
inline constexpr std::uint16_t kHeaderLength = 49;  // from offset 4 to the end of the class identifier
inline constexpr std::uint8_t kHeaderTag = 0x0E;
inline constexpr std::size_t kFormIdOffset = 5;
inline constexpr std::size_t kSecondFormIdOffset = 21;
inline constexpr std::size_t kClassIdOffset = 37;
inline constexpr std::size_t kZerosOffset = 53;
inline constexpr std::size_t kRestLengthOffset = 89;  // counts from itself to the block's end
inline constexpr std::size_t kFormLengthOffset = 93;  // counts from itself to after the form's 0xFF
inline constexpr std::size_t kFormRecordOffset = 97;

// {33AD4F3A-6699-11CF-B70C-00AA0060D393}, the class of every form.
inline constexpr Guid kFormClassId{
    0x33AD4F3A, 0x6699, 0x11CF, {0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93}};

inline constexpr std::uint8_t kEndOfProperties = 0xFF;
inline constexpr std::uint8_t kFirstControl = 0x01;
inline constexpr std::uint8_t kNoMoreControls = 0x02;
inline constexpr std::uint8_t kAnotherControl = 0x03;
inline constexpr std::uint8_t kEndOfForm = 0x04;

inline constexpr std::uint8_t kPictureTag[4] = {'l', 't', 0, 0};

}  // namespace mivello::stored_form::format
