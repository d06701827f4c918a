#include "cli/json_writer.h"

namespace rotaplex::cli {

namespace {

void WriteQuoted(Output& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out << '"';
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (code < 0x20 || code >= 0x7F) {
            out << "\\u00" << kHex[code >> 4] << kHex[code & 0xF];
        } else {
            out << c;
        }
    }
    out << '"';
}

}  // namespace

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMembers_.empty()) {
        if (hasMembers_.back()) out_ << ',';
        hasMembers_.back() = true;
    }
}

JsonWriter& JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ << bracket;
    hasMembers_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
    hasMembers_.pop_back();
    out_ << bracket;
    if (hasMembers_.empty()) out_ << '\n';
    return *this;
}

JsonWriter& JsonWriter::BeginObject() { return Open('{'); }
JsonWriter& JsonWriter::EndObject() { return Close('}'); }
JsonWriter& JsonWriter::BeginArray() { return Open('['); }
JsonWriter& JsonWriter::EndArray() { return Close(']'); }

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    WriteQuoted(out_, key);
    out_ << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeValue();
    WriteQuoted(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t number) {
    BeforeValue();
    out_ << number;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
    return *this;
}

}  // namespace rotaplex::cli
