#include "json_value.h"

#include <cstdlib>
#include <stdexcept>

namespace rotaplex::test {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue Document() {
        JsonValue value = Value();
        SkipSpace();
        if (pos_ != text_.size()) Fail("text after the document");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at " + std::to_string(pos_));
    }
    void SkipSpace() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\t'))
            ++pos_;
    }
    char Peek() {
        SkipSpace();
        if (pos_ == text_.size()) Fail("unexpected end");
        return text_[pos_];
    }
    void Expect(char c) {
        if (Peek() != c) Fail(std::string("expected ") + c);
        ++pos_;
    }
    bool TakeWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    JsonValue Value() {
        const char c = Peek();
        if (c == '{') return Object();
        if (c == '[') return Array();
        if (c == '"') return {String()};
        if (TakeWord("true")) return {true};
        if (TakeWord("false")) return {false};
        if (TakeWord("null")) return {nullptr};
        const char* start = text_.data() + pos_;
        char* end = nullptr;
        const double number = std::strtod(start, &end);
        if (end == start) Fail("no value");
        pos_ += static_cast<std::size_t>(end - start);
        return {number};
    }

    JsonValue Object() {
        Expect('{');
        JsonValue::Object members;
        if (Peek() == '}') return ++pos_, JsonValue{members};
        do {
            Peek();
            std::string key = String();
            Expect(':');
            if (!members.emplace(std::move(key), Value()).second) Fail("repeated key");
        } while (Peek() == ',' && ++pos_);
        Expect('}');
        return {members};
    }

    JsonValue Array() {
        Expect('[');
        JsonValue::Array items;
        if (Peek() == ']') return ++pos_, JsonValue{items};
        do {
            items.push_back(Value());
        } while (Peek() == ',' && ++pos_);
        Expect(']');
        return {items};
    }

    std::string String() {
        Expect('"');
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            const char c = text_[pos_++];
            if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ == text_.size()) Fail("cut escape");
            const char e = text_[pos_++];
            if (e == 'u') {
                const unsigned long code = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
                if (code > 0xFF) Fail("escape beyond one byte");
                out += static_cast<char>(code);
                pos_ += 4;
            } else if (e == '"' || e == '\\' || e == '/') {
                out += e;
            } else {
                Fail("unknown escape");
            }
        }
        Expect('"');
        return out;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::size_t JsonValue::Size() const {
    if (const auto* array = std::get_if<Array>(&Value)) return array->size();
    return std::get<Object>(Value).size();
}

JsonValue ParseJson(std::string_view text) {
    return Parser(text).Document();
}

}  // namespace rotaplex::test
