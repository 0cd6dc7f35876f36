#pragma once

#include "field.h"

#include <array>
#include <string>

namespace popolun {

inline constexpr int kFieldCount = 24;

// The 24 values read once when a page set is made: element 0 is Text1.
using Snapshot = std::array<std::string, kFieldCount>;

// The main window's fields Text1..Text24: the base name, the fixed ASX and
// HTML fragments, and the four parameters (extension Text4, width Text12,
// height Text14, autostart Text17).
class FieldSet {
public:
    FieldSet();

    // n runs from 1 to 24.
    Field& field(int n) { return fields_.at(static_cast<std::size_t>(n - 1)); }
    const Field& field(int n) const { return fields_.at(static_cast<std::size_t>(n - 1)); }
    const std::string& text(int n) const { return field(n).text(); }
    void setText(int n, std::string text) { field(n).setText(std::move(text)); }

    Snapshot snapshot() const;

    // The value each field holds when the main window is created.
    static const std::string& initialText(int n);

private:
    std::array<Field, kFieldCount> fields_;
};

} // namespace popolun
