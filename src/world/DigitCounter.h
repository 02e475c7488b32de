#pragma once
#include <string>
#include <string_view>

// A fixed-width decimal counter of ASCII digits, most significant first. It
// wraps: a carry out of the first digit is dropped.
class DigitCounter {
public:
    explicit DigitCounter(int width) : digits(static_cast<std::size_t>(width), '0') {}

    // The lowest digits of value; negative values count as 0.
    void Set(long long value);
    // The digits of a counter of the same width.
    void Copy(const DigitCounter& other);
    // Digit i becomes text[i] when that is a digit and '0' otherwise; positions
    // beyond the text keep their digits.
    void SetFromText(std::string_view text);
    // 1, -1 or 0 at the first digit that differs; counters of the same width.
    int Compare(const DigitCounter& other) const;
    // Adds a value; negative values add nothing.
    void Add(long long value);

    const std::string& Text() const { return digits; }

private:
    std::string digits;
};
