#pragma once

namespace speech {

// A piece of a text: offset and length in UTF-16 code units.
struct TextRange {
    int start = 0;
    int length = 0;

    int end() const { return start + length; }
    bool contains(int offset) const { return offset >= start && offset < end(); }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

} // namespace speech
