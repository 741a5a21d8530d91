// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever text is opened as a link, reading it ends, and a sheet it gives
// writes back to a link that reads to the same sheet, bit for bit. A broken
// rule aborts so that libFuzzer keeps the input.
#include "lines/sheetlink.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char *rule, const std::string &link)
{
    std::fprintf(stderr, "\nfuzz_link: rule broken: %s\n  link written: %s\n", rule, link.c_str());
    std::abort();
}

bool Same(const Sheet &one, const Sheet &other)
{
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        const LineSlot &a = one.Lines().Slot(slot);
        const LineSlot &b = other.Lines().Slot(slot);
        if (std::memcmp(&a, &b, sizeof a) != 0)
            return false;
    }
    return one.Selected() == other.Selected() && one.Size() == other.Size() &&
           one.MarksShown() == other.MarksShown() && one.FunctionShown() == other.FunctionShown();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const LinkReading reading = ReadLink(text);
    if (reading.sheet.has_value() != (reading.fault == LinkFault::None))
        Fail("a sheet and a fault, or neither", {});
    if (!reading.sheet)
        return 0;
    const std::string link = LinkOf(*reading.sheet);
    const LinkReading again = ReadLink(link);
    if (!again.sheet)
        Fail("the written link does not read", link);
    if (!Same(*reading.sheet, *again.sheet))
        Fail("the written link reads to another sheet", link);
    if (LinkOf(*again.sheet) != link)
        Fail("one sheet, two links", link);
    return 0;
}
