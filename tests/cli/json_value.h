#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rotaplex::test {

// A parsed JSON value, enough to read the program's output back. \u escapes up to \u00ff become
// the one byte they stand for, as the program writes file bytes.
struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> Value;

    const JsonValue& operator[](const std::string& key) const { return std::get<Object>(Value).at(key); }
    const JsonValue& operator[](std::size_t i) const { return std::get<Array>(Value).at(i); }
    std::size_t Size() const;
    const std::string& Text() const { return std::get<std::string>(Value); }
    double Number() const { return std::get<double>(Value); }
    bool Bool() const { return std::get<bool>(Value); }
};

// Parses exactly one JSON document followed by at most white space; throws std::runtime_error.
JsonValue ParseJson(std::string_view text);

}  // namespace rotaplex::test
