// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number rules' tables in the browser's arithmetic: the core compiled
// with em++ and run under node. One line for each row that fails, then
// "N passed, M failed"; the exit code is 1 when any row failed.

#include "runtime/numbertables.h"
#include "runtime/numbers.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

int passed = 0;
int failed = 0;

template <typename T> bool Same(T actual, T expected)
{
    return std::isnan(expected) ? std::isnan(actual) : actual == expected;
}

void Check(bool ok, const std::string &what, const std::string &actual, const std::string &expected)
{
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAIL %s: %s, expected %s\n", what.c_str(), actual.c_str(), expected.c_str());
}

std::string Exact(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

int main()
{
    using namespace numbertables;
    for (const ValRow &row : ValRows()) {
        const double actual = ReadNumber(row.text);
        Check(Same(actual, row.expected), "ReadNumber " + row.name, Exact(actual), Exact(row.expected));
    }
    for (const SingleRow &row : ToSingleRows()) {
        const float actual = ToSingle(row.value);
        Check(Same(actual, row.expected), std::string("ToSingle ") + row.name, Exact(actual),
              Exact(row.expected));
    }
    for (const StrRow &row : StrRows()) {
        const std::string actual = NumberText(row.value);
        Check(actual == row.expected, std::string("NumberText ") + row.name, '"' + actual + '"',
              '"' + std::string(row.expected) + '"');
    }
    for (const float value : ClassroomValues()) {
        const float actual = ToSingle(ReadNumber(NumberText(value)));
        Check(actual == value, "round trip " + NumberText(value), Exact(actual), Exact(value));
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
