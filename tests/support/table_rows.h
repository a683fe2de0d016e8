// Names for the rows of table-driven tests: each row type has a `name` field.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

// The row's name as a test name: letters and digits, everything else an underscore.
template <typename Row>
std::string rowName(const testing::TestParamInfo<Row>& row) {
    std::string name = row.param.name;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}
