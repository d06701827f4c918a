#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cli/output.h"

namespace rotaplex::cli {

// Writes one JSON document on one line, the commas and quoting taken care of. Text is written
// byte for byte: bytes from 0x80 on become \u0080 to \u00ff, so that every byte of a file name or
// line (in whatever code page it was written) can be had back exactly.
class JsonWriter {
public:
    explicit JsonWriter(Output& out) : out_(out) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(std::int64_t number);
    JsonWriter& Bool(bool value);

    // Shorthands for a member.
    JsonWriter& Member(std::string_view key, std::string_view text) { return Key(key).String(text); }
    JsonWriter& Member(std::string_view key, const char* text) { return Key(key).String(text); }
    JsonWriter& Member(std::string_view key, bool value) { return Key(key).Bool(value); }
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    JsonWriter& Member(std::string_view key, T number) {
        return Key(key).Number(static_cast<std::int64_t>(number));
    }

private:
    void BeforeValue();
    JsonWriter& Open(char bracket);
    JsonWriter& Close(char bracket);

    Output& out_;
    std::vector<bool> hasMembers_;  // per open object or array
    bool afterKey_ = false;
};

}  // namespace rotaplex::cli
