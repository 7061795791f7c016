// Any sunset table: listing, lookup and the table check never crash, names
// come out as valid UTF-8, and a time is always a blank, an hour 12..21 and
// at most three more characters.
#include "fuzz_support.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_table_check.h"
#include "sunset/sunset_table.h"

using namespace tovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput("town.sun", fuzz::Text(data, size));
    for (const std::string& name : FindLocations({fuzz::Folder()}, 1).Names)
        fuzz::Require(IsValidUtf8(name));
    for (const Date day : {Date::FromYmd(2024, 1, 1), Date::FromYmd(2024, 2, 29),
                           Date::FromYmd(2023, 3, 5), Date::FromYmd(2025, 12, 31)}) {
        if (const auto sunset = LookupSunset(path, day)) {
            fuzz::Require(IsValidUtf8(sunset->Location));
            fuzz::Require(sunset->Time.size() >= 3 && sunset->Time.size() <= 6 &&
                          sunset->Time[0] == ' ');
        }
    }
    DescribeSunTableCheck(CheckSunTable(fuzz::Text(data, size)));
    return 0;
}
