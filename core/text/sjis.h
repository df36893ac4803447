// Code page 932 (Shift-JIS as Windows writes it): conversion to and from UTF-8, and the
// byte-level helpers that must step over double-byte characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace grimtally {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool isCp932LeadByte(unsigned char byte);

// The longest start of `text` of at most `maxBytes` bytes that ends on a character
// boundary, for cutting a text to be shown.
std::string_view cp932Prefix(std::string_view text, std::size_t maxBytes);

// Decodes code page 932 bytes; a byte sequence that is not valid becomes U+FFFD per byte,
// so that any file can be shown.
std::string cp932ToUtf8(std::string_view bytes);

// Encodes UTF-8 text. Characters that Linux input methods produce but code page 932 holds
// only in their full-width forms (wave dash, minus sign, double vertical line, cent, pound,
// not sign) are mapped first. Returns nothing when a character cannot be held.
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// Compares two code page 932 texts with ASCII letters folded, but only outside double-byte
// characters, whose second byte may look like a letter.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when `part` occurs in `text` starting on a character boundary: a match that would
// begin on the second byte of a double-byte character does not count.
bool containsCp932(std::string_view text, std::string_view part);

// Appends the UTF-8 of code page 932 bytes to `out` when every character of them encodes
// back to the very same bytes; false (with `out` holding part of the text) when some byte is
// no character, or the character has a second code and encodes to that one. Table-driven,
// for exchange files of many records.
bool appendExactUtf8(std::string_view bytes, std::string& out);

// Appends what cp932ToUtf8 gives for the bytes (a U+FFFD for each byte that begins no
// character), from the same table as appendExactUtf8.
void appendShownUtf8(std::string_view bytes, std::string& out);

// Appends the code page 932 bytes of UTF-8 text to `out`, with the input-method characters
// mapped as utf8ToCp932 does; false when the text is not UTF-8 or holds a character code
// page 932 cannot hold. Gives what utf8ToCp932 gives, from the same table.
bool appendCp932(std::string_view utf8, std::string& out);

// Appends the code point as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

} // namespace grimtally
