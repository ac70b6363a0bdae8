// Locale-independent number scanning over a character buffer.
//
// Every number that the material file reader takes from XML text goes through Parser, never
// through the C library's locale-dependent conversions: only '.' is a decimal separator, and
// names such as "inf" or "nan" and hexadecimal forms are not numbers.
#pragma once

#include <cstddef>
#include <cstdint>

// A forward-only scanner over `length` characters at `text`. It never allocates, never throws
// and never reads at or past `length`; the buffer need not be NUL-terminated and must outlive
// the scanner. No operation skips leading whitespace by itself: callers call skipWhitespace
// where they allow it.
class Parser {
public:
    // Precondition: `text` points to at least `length` readable characters (it may be null
    // when `length` is 0). The scanner starts at position 0.
    Parser(const char* text, std::size_t length) : text_(text), length_(length) {}

    // Advances over every space, tab, line feed and carriage return. Returns true when at least
    // one character was skipped.
    bool skipWhitespace();

    // Consumes `c` when it is the next character. Returns true when it was.
    bool parseChar(char c);

    // Scans an optional '+' or '-' followed by decimal digits into `result`, which is written
    // also on failure. Returns true when at least one digit was read; the scan stops at the
    // first non-digit ("12abc" gives 12 and stops at 'a'). A value beyond the 32-bit range
    // saturates at INT32_MAX or INT32_MIN, so a huge index is never mistaken for a small one.
    bool parseInt(std::int32_t& result);

    // Scans a decimal number: optional sign, digits, optional '.' and fraction digits, optional
    // exponent introduced by 'e', 'E', 'd' or 'D' with an optional sign. Returns true when at
    // least one mantissa digit was read and the text did not end in a dangling sign or exponent
    // marker ("+", "1e", "1e-" fail; "1ex" gives 1 and stops at 'x'). `result` is left unchanged
    // when the text is empty or ends in a dangling sign or exponent marker, and written
    // otherwise. After a failure the position is wherever the scan stopped; callers must only
    // report the error from there.
    bool parseDouble(double& result);

    // Index of the next unread character, 0 <= position() <= length.
    std::size_t position() const { return position_; }

    // True when every character has been read.
    bool atEnd() const { return position_ == length_; }

private:
    bool nextIs(char c) const { return position_ < length_ && text_[position_] == c; }
    bool nextIsDigit() const;
    int takeDigit() { return text_[position_++] - '0'; }

    const char* text_;
    std::size_t position_ = 0;
    std::size_t length_;
};
