#include <string>

#include <gtest/gtest.h>

#include "sunset/name_encoding.h"

namespace tovel {
namespace {

TEST(NameEncodingTest, Utf8Validity) {
    const struct { const char* name; std::string text; bool valid; } cases[] = {
        {"ASCII", "Tel Aviv", true},
        {"two-byte", "S\xC3\xA3o Paulo", true},
        {"Hebrew", "\xD7\x97\xD7\x99\xD7\xA4\xD7\x94", true},
        {"four-byte", "\xF0\x9F\x8C\x85", true},
        {"highest code point", "\xF4\x8F\xBF\xBF", true},
        {"1252 a-tilde", "S\xE3o Paulo", false},
        {"lone continuation", "\x80", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three-byte", "\xE0\x80\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"cut short", "\xD7", false},
        {"cut short four-byte", "\xF0\x9F\x8C", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.text), c.valid);
    }
}

// Every byte: 1252 text always becomes valid UTF-8, Latin-1 bytes map to their
// own code points, and the 0x80-0x9F block to its typographic characters.
TEST(NameEncodingTest, EveryWindows1252Byte) {
    for (int b = 1; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string utf8 = Windows1252ToUtf8(std::string(1, static_cast<char>(b)));
        EXPECT_TRUE(IsValidUtf8(utf8));
        if (b < 0x80) {
            EXPECT_EQ(utf8, std::string(1, static_cast<char>(b)));
        } else if (b >= 0xA0) {
            ASSERT_EQ(utf8.size(), 2u);
            EXPECT_EQ(((utf8[0] & 0x1F) << 6) | (utf8[1] & 0x3F), b);
        } else {
            const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
            EXPECT_EQ(utf8 == "\xEF\xBF\xBD", undefined);
        }
    }
    EXPECT_EQ(Windows1252ToUtf8("\x80\x99\x9F\x96"), "\xE2\x82\xAC\xE2\x84\xA2\xC5\xB8\xE2\x80\x93");
}

}  // namespace
}  // namespace tovel
