#include "bench/BenchReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace TolvaBench {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            result += "\\\"";
            break;
        case '\\':
            result += "\\\\";
            break;
        case '\n':
            result += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                result += escaped;
            } else {
                result += c;
            }
        }
    }
    return result + "\"";
}

} // namespace

JsonWriter::JsonWriter() {
    out << "{";
    firstInLevel.push_back(true);
}

void JsonWriter::member(const std::string& key) {
    out << (firstInLevel.back() ? "\n" : ",\n");
    firstInLevel.back() = false;
    out << std::string(2 * firstInLevel.size(), ' ') << quoted(key) << ": ";
}

void JsonWriter::open(const std::string& key) {
    member(key);
    out << "{";
    firstInLevel.push_back(true);
}

void JsonWriter::close() {
    const bool empty = firstInLevel.back();
    firstInLevel.pop_back();
    if (!empty) {
        out << "\n" << std::string(2 * firstInLevel.size(), ' ');
    }
    out << "}";
}

void JsonWriter::number(const std::string& key, double value, int decimals) {
    if (!std::isfinite(value)) {
        null(key);
        return;
    }
    member(key);
    out << fixed(value, decimals);
}

void JsonWriter::integer(const std::string& key, long value) {
    member(key);
    out << value;
}

void JsonWriter::text(const std::string& key, const std::string& value) {
    member(key);
    out << quoted(value);
}

void JsonWriter::flag(const std::string& key, bool value) {
    member(key);
    out << (value ? "true" : "false");
}

void JsonWriter::null(const std::string& key) {
    member(key);
    out << "null";
}

std::string JsonWriter::finish() {
    while (firstInLevel.size() > 1) {
        close();
    }
    out << "\n}\n";
    return out.str();
}

void Table::section(const std::string& title) {
    rows.push_back({true, title, "", ""});
}

void Table::row(const std::string& label, const std::string& value, const std::string& remark) {
    rows.push_back({false, label, value, remark});
}

void Table::print() const {
    size_t labelWidth = 0;
    size_t valueWidth = 0;
    for (const Row& row : rows) {
        if (!row.isSection) {
            labelWidth = std::max(labelWidth, row.label.size());
            valueWidth = std::max(valueWidth, row.value.size());
        }
    }
    for (const Row& row : rows) {
        if (row.isSection) {
            std::printf("\n%s\n", row.label.c_str());
            continue;
        }
        std::printf("  %-*s  %*s  %s\n", static_cast<int>(labelWidth), row.label.c_str(),
                    static_cast<int>(valueWidth), row.value.c_str(), row.remark.c_str());
    }
    std::fflush(stdout);
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

} // namespace TolvaBench
