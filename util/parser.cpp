#include "util/parser.h"

#include <cmath>
#include <limits>

namespace {

// Beyond this, 10 raised to the exponent is infinite or zero in double precision anyway;
// saturating keeps the accumulation free of overflow.
constexpr std::int32_t kExponentCap = 100000;

} // namespace

bool Parser::nextIsDigit() const {
    return position_ < length_ && text_[position_] >= '0' && text_[position_] <= '9';
}

bool Parser::skipWhitespace() {
    const std::size_t start = position_;
    while (position_ < length_) {
        const char c = text_[position_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            break;
        }
        ++position_;
    }
    return position_ != start;
}

bool Parser::parseChar(char c) {
    if (!nextIs(c)) {
        return false;
    }
    ++position_;
    return true;
}

bool Parser::parseInt(std::int32_t& result) {
    bool negative = false;
    if (!parseChar('+') && parseChar('-')) {
        negative = true;
    }
    const std::size_t start = position_;
    // Accumulated one past INT32_MAX at most, so that INT32_MIN itself is representable.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    while (nextIsDigit()) {
        value = value * 10 + takeDigit();
        if (value > kLimit) {
            value = kLimit;
        }
    }
    if (negative) {
        value = -value;
    } else if (value == kLimit) {
        value = kLimit - 1;
    }
    result = static_cast<std::int32_t>(value);
    return position_ != start;
}

bool Parser::parseDouble(double& result) {
    if (atEnd()) {
        return false;
    }
    double sign = 1.0;
    if (parseChar('+')) {
        sign = 1.0;
    } else if (parseChar('-')) {
        sign = -1.0;
    }
    if (atEnd()) {
        return false;
    }

    // Digits are accumulated in extended precision and fraction digits weighted by repeated
    // multiplication by a tenth of that precision: values read from stored files were always
    // rounded this way, which now and then differs from strtod by one unit in the last place.
    long double mantissa = 0;
    bool digitsFound = false;
    while (nextIsDigit()) {
        mantissa = mantissa * 10 + takeDigit();
        digitsFound = true;
    }
    if (parseChar('.')) {
        long double factor = 0.1L;
        while (nextIsDigit()) {
            mantissa = mantissa + takeDigit() * factor;
            factor = factor * 0.1L;
            digitsFound = true;
        }
    }

    if (nextIs('e') || nextIs('E') || nextIs('d') || nextIs('D')) {
        ++position_;
        std::int32_t exponentSign = 1;
        if (!parseChar('+') && parseChar('-')) {
            exponentSign = -1;
        }
        if (atEnd()) {
            return false;
        }
        std::int32_t exponent = 0;
        while (nextIsDigit()) {
            exponent = exponent * 10 + takeDigit();
            if (exponent > kExponentCap) {
                exponent = kExponentCap;
            }
        }
        result = std::pow(10.0, static_cast<double>(exponentSign * exponent)) *
                 (static_cast<double>(mantissa) * sign);
        return digitsFound;
    }

    result = sign * static_cast<double>(mantissa);
    return digitsFound;
}
