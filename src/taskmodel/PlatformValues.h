#pragma once

// Small value types that stand in for the platform values a task model holds (calendars, date
// components, insets, coordinates, regions, postal addresses, regular expressions, password
// rules). They are kept together because each is a handful of fields and nothing more.

#include <QString>
#include <optional>

namespace pathloom {

// A calendar, named by its identifier ("gregorian", "iso8601", "hebrew", …).
struct Calendar {
    QString identifier;
    friend bool operator==(const Calendar&, const Calendar&) = default;
};

// The hour and minute of a time of day; either may be unset.
struct DateComponents {
    std::optional<int> hour;
    std::optional<int> minute;
    friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;
    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// A latitude/longitude pair in degrees.
struct Coordinate {
    double latitude = 0;
    double longitude = 0;
    friend bool operator==(const Coordinate&, const Coordinate&) = default;
};

struct CircularRegion {
    Coordinate center;
    double radius = 0;
    QString identifier;
    friend bool operator==(const CircularRegion&, const CircularRegion&) = default;
};

struct PostalAddress {
    QString street;
    QString city;
    friend bool operator==(const PostalAddress&, const PostalAddress&) = default;
};

// A regular expression as text with its option bits (case-insensitive = 1, allow comments and
// whitespace = 2, ignore metacharacters = 4, dot matches line separators = 8, anchors match
// lines = 16, Unix line separators = 32, Unicode word boundaries = 64).
struct RegularExpression {
    QString pattern;
    quint32 options = 0;
    friend bool operator==(const RegularExpression&, const RegularExpression&) = default;
};

// Password rules written as a rules descriptor ("required: upper; minlength: 8;").
struct PasswordRules {
    QString descriptor;
    friend bool operator==(const PasswordRules&, const PasswordRules&) = default;
};

}  // namespace pathloom
