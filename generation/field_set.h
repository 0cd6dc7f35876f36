#pragma once

#include "field.h"

#include <array>
#include <string>

namespace popolun {

// The main window's fields Text1..Text24 by what each holds: the base name,
// the fixed ASX and HTML fragments around it, and the four parameters.
enum class FieldId : int {
    name = 1,             // Text1, typed by the user
    asxHead,              // Text2
    asxBeforeName,        // Text3
    extension,            // Text4, a parameter
    asxEnd,               // Text5
    linkHead,             // Text6
    linkBeforeName,       // Text7
    linkAfterName,        // Text8, a line break inside
    embedHead,            // Text9
    embedBody,            // Text10
    objectBeforeWidth,    // Text11
    width,                // Text12, a parameter
    objectBeforeHeight,   // Text13
    height,               // Text14, a parameter
    objectEnd,            // Text15
    autostartBefore,      // Text16
    autostart,            // Text17, a parameter
    autostartEnd,         // Text18
    urlBeforeName,        // Text19
    urlAfterName,         // Text20
    fallbackBeforeName,   // Text21
    fallbackBeforeWidth,  // Text22
    fallbackBeforeHeight, // Text23
    fallbackEnd,          // Text24, line breaks inside
};
inline constexpr int kFieldCount = 24;

// The 24 values read once when a page set is made.
class Snapshot {
public:
    // Throws std::out_of_range for an id outside the field set.
    const std::string& operator[](FieldId id) const { return values_.at(index(id)); }
    std::string& operator[](FieldId id) { return values_.at(index(id)); }

private:
    static std::size_t index(FieldId id) { return static_cast<std::size_t>(static_cast<int>(id) - 1); }
    std::array<std::string, kFieldCount> values_;
};

// The fields with their change notification; the main window owns them.
class FieldSet {
public:
    FieldSet();

    Field& field(FieldId id) { return fields_.at(index(id)); }
    const Field& field(FieldId id) const { return fields_.at(index(id)); }
    const std::string& text(FieldId id) const { return field(id).text(); }
    void setText(FieldId id, std::string text) { field(id).setText(std::move(text)); }

    Snapshot snapshot() const;

private:
    static std::size_t index(FieldId id) { return static_cast<std::size_t>(static_cast<int>(id) - 1); }
    std::array<Field, kFieldCount> fields_;
};

} // namespace popolun
