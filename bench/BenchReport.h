#pragma once
#include <sstream>
#include <string>
#include <vector>

namespace TolvaBench {

// A small JSON writer: objects and scalar members, commas and indentation handled.
class JsonWriter {
public:
    JsonWriter();
    void open(const std::string& key);
    void close();
    void number(const std::string& key, double value, int decimals = 3);
    void integer(const std::string& key, long value);
    void text(const std::string& key, const std::string& value);
    void flag(const std::string& key, bool value);
    void null(const std::string& key);
    std::string finish();

private:
    void member(const std::string& key);
    std::ostringstream out;
    std::vector<bool> firstInLevel;
};

// The printed table: section titles and rows of label, value and remark.
class Table {
public:
    void section(const std::string& title);
    void row(const std::string& label, const std::string& value, const std::string& remark = "");
    void print() const;

private:
    struct Row {
        bool isSection;
        std::string label;
        std::string value;
        std::string remark;
    };
    std::vector<Row> rows;
};

std::string fixed(double value, int decimals);

} // namespace TolvaBench
