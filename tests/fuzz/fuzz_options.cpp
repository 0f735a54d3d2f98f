// SPDX-License-Identifier: GPL-3.0-or-later
// Options files from anywhere: whatever is read writes back and reads back the same.

#include "model/Option.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TOption options("/depart");
    options.Lit(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string ecrit = options.Ecrit();
    TOption relu("/autre");
    relu.Lit(ecrit);
    if (relu.Ecrit() != ecrit)
        std::abort();
    return 0;
}
