#pragma once
// Byte-level facts of Shift-JIS (code page 932) text.

namespace kavelo {

// The first byte of a double-byte character; its second byte may look like ASCII ('|', '\\').
constexpr bool isSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace kavelo
