#include "world/DigitCounter.h"

#include <algorithm>

void DigitCounter::Set(long long value) {
    unsigned long long v = value < 0 ? 0 : static_cast<unsigned long long>(value);
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        *it = static_cast<char>('0' + v % 10);
        v /= 10;
    }
}

void DigitCounter::Copy(const DigitCounter& other) {
    std::copy_n(other.digits.begin(), std::min(digits.size(), other.digits.size()), digits.begin());
}

void DigitCounter::SetFromText(std::string_view text) {
    std::size_t n = std::min(digits.size(), text.size());
    for (std::size_t i = 0; i < n; ++i) {
        digits[i] = text[i] >= '0' && text[i] <= '9' ? text[i] : '0';
    }
}

int DigitCounter::Compare(const DigitCounter& other) const {
    std::size_t n = std::min(digits.size(), other.digits.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (digits[i] > other.digits[i]) return 1;
        if (digits[i] < other.digits[i]) return -1;
    }
    return 0;
}

void DigitCounter::Add(long long value) {
    if (value <= 0) return;
    auto v = static_cast<unsigned long long>(value);
    int carry = 0;
    for (auto it = digits.rbegin(); it != digits.rend() && (v > 0 || carry > 0); ++it) {
        int sum = (*it - '0') + static_cast<int>(v % 10) + carry;
        v /= 10;
        carry = sum / 10;
        *it = static_cast<char>('0' + sum % 10);
    }
}
