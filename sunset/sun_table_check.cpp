#include "sunset/sun_table_check.h"

#include <map>
#include <vector>

#include "engine/read_file.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_line.h"

namespace tovel {

SunTableCheck CheckSunTable(std::string_view content, const ZoneLookup& zones) {
    SunTableCheck out;
    const std::vector<std::string>& keys = SunTableKeys();
    std::map<std::string, int, std::less<>> seen;  // day key -> its line
    int number = 0;
    auto fail = [&](std::string problem) {
        out.Line = number;
        out.Problem = std::move(problem);
        return out;
    };
    if (content.empty()) {
        number = 1;
        return fail("the file is empty; line 1 must be the location's name");
    }
    while (!content.empty()) {
        ++number;
        const std::size_t lf = content.find('\n');
        std::string_view line = content.substr(0, lf);
        const bool ended = lf != std::string_view::npos;
        content.remove_prefix(ended ? lf + 1 : content.size());
        const bool crlf = ended && !line.empty() && line.back() == '\r';
        if (crlf) line.remove_suffix(1);

        if (number == 1) {
            if (line.empty()) return fail("the location's name is empty");
            for (char c : line) {
                const auto b = static_cast<unsigned char>(c);
                if (b < 0x20 || b == 0x7F)
                    return fail("the location's name holds the control character " +
                                QuotedTableText(std::string_view(&c, 1)) +
                                " (is this a text file?)");
            }
            out.Name = LocationNameToUtf8(line);
            if (out.Name.size() > kMaxLocationNameBytes)
                return fail("the location's name is longer than " +
                            std::to_string(kMaxLocationNameBytes) + " bytes");
            const std::string_view lineKey = SunLineKeyOf(line);
            for (const std::string& key : keys)
                if (lineKey == key)
                    return fail("the location's name would be read as the line of " + key);
        } else {
            const int index = number - 2;
            if (index > kSunTableDays)
                return fail("a line after the zone line (" + QuotedTableText(line) + ")");
            if (index == kSunTableDays) {
                if (!LooksLikeSunZoneLine(line))
                    return fail("a line after the " + std::to_string(kSunTableDays) +
                                " day lines (" + QuotedTableText(line) +
                                "); only a zone line, like 'Zone Europe/London 2026', may follow");
                const SunZoneFields zone = ParseSunZoneLine(line);
                if (!zone.Ok()) return fail(zone.Problem);
                if (zones && !zones(zone.Zone))
                    return fail("the time zone " + QuotedTableText(zone.Zone) +
                                " is unknown (an IANA name, see /usr/share/zoneinfo)");
                out.Zone = zone.Zone;
                out.Year = zone.Year;
            } else {
                const SunLineFields day = ParseSunLine(line);
                if (!day.KeyProblem.empty()) return fail(day.KeyProblem);
                const std::string key = SunLineKey(day.Month, day.Day);
                const std::string& expected = keys[static_cast<std::size_t>(index)];
                if (key != expected) {
                    if (auto it = seen.find(key); it != seen.end())
                        return fail(key + " appears a second time (first on line " +
                                    std::to_string(it->second) + ")");
                    return fail("the line of " + expected + " belongs here, not " + key +
                                " (the days must run from Jan  1 to Dec 31 in order, "
                                "Feb 29 after Feb 28)");
                }
                seen.emplace(key, number);
                if (!day.TimeProblem.empty()) return fail(day.TimeProblem);
            }
        }
        if (!ended) return fail("the last line has no line end (CR LF)");
        if (!crlf) return fail("the line ends in LF without CR; a table's lines end in CR LF");
    }
    const int days = number - 1;  // a zone line makes it one more, never fewer
    if (days < kSunTableDays) {
        ++number;
        const int more = kSunTableDays - days - 1;
        return fail("the table ends after " + std::to_string(days) + " day lines; the line of " +
                    keys[static_cast<std::size_t>(days)] +
                    (more == 0 ? std::string(" is missing")
                               : " and " + std::to_string(more) + " more are missing"));
    }
    return out;
}

SunTableCheck CheckSunTableFile(const std::string& path, const ZoneLookup& zones) {
    std::string content;
    const FileRead status = ReadDataFile(path, content);
    if (status != FileRead::Ok) {
        SunTableCheck out;
        out.Problem = FileReadText(status);
        return out;
    }
    return CheckSunTable(content, zones);
}

std::string DescribeSunTableCheck(const SunTableCheck& check) {
    if (check.Ok()) return "OK";
    if (check.Line == 0) return check.Problem;
    return "line " + std::to_string(check.Line) + ": " + check.Problem;
}

}  // namespace tovel
