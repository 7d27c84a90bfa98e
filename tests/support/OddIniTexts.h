#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// INI texts of the "Settings" group, odd and damaged ones among them, with what Qt's settings store
// reads from each for one name: as text, and as a number. The core's reader must read the same
// (tests/core), and Qt itself does (tests/desktop, which keeps the table honest).
struct OddIniText {
    const char* name;
    std::string text;
    std::string key;
    std::optional<std::string> string;
    std::optional<std::int32_t> number;
};

inline std::vector<OddIniText> oddIniTexts() {
    using std::nullopt;
    const std::string hugeValue(1 << 20, 'x');
    return {
        {"a number", "[Settings]\nMPH=1\n", "MPH", "1", 1},
        {"no group", "MPH=1\n", "MPH", nullopt, nullopt},
        {"another group", "[Other]\nMPH=1\n", "MPH", nullopt, nullopt},
        {"a group in the key", "[General]\nSettings\\MPH=1\n", "MPH", nullopt, nullopt},
        {"the group's name in other case", "[settings]\nMPH=1\n", "MPH", nullopt, nullopt},
        {"a key in other case", "[Settings]\nmph=1\n", "MPH", nullopt, nullopt},
        {"the last of repeated keys", "[Settings]\nMPH=2\nMPH=3\n", "MPH", "3", 3},
        {"a repeated group", "[Settings]\nA=1\nB=2\n[Other]\nB=5\n[Settings]\nA=3\n", "B", "2", 2},
        {"CRLF line ends", "[Settings]\r\nMPH = 1 \r\nX=2\r\n", "MPH", "1", 1},
        {"CR line ends", "[Settings]\rA=1\rB=2", "B", "2", 2},
        {"a byte order mark", "\xEF\xBB\xBF[Settings]\nMPH=1\n", "MPH", "1", 1},
        {"spaces in the group line", "[ Settings ]junk\nA=1\n", "A", "1", 1},
        {"an unclosed group line", "[Settings\nA=1\n", "A", "1", 1},
        {"a comment line", "[Settings]\n;A=1\n", "A", nullopt, nullopt},
        {"a comment after the value", "[Settings]\nA=a ; note\n", "A", "a", nullopt},
        {"a line without =", "[Settings]\nA\nB=2\n", "A", nullopt, nullopt},
        {"the line after one without =", "[Settings]\nA\nB=2\n", "B", "2", 2},
        {"an empty value", "[Settings]\nA=\n", "A", "", nullopt},
        {"an empty text", "", "A", nullopt, nullopt},
        {"quotes, commas, = and ;", "[Settings]\nA=\"C:\\\\Spiele\\\\Veltra \\\"4\\\", a=b; c\"\n", "A",
         "C:\\Spiele\\Veltra \"4\", a=b; c", nullopt},
        {"quoted spaces", "[Settings]\nA=\"  x  \"\n", "A", "  x  ", nullopt},
        {"unquoted spaces", "[Settings]\nA=  x y  \n", "A", "x y", nullopt},
        {"text beside quotes", "[Settings]\nX=\"a\"b\"c\" d \n", "X", "abcd ", nullopt},
        {"a list", "[Settings]\nA=a, b\n", "A", nullopt, nullopt},
        {"a list of numbers", "[Settings]\nA=1,2\n", "A", nullopt, nullopt},
        {"a quoted comma", "[Settings]\nA=\"a, b\"\n", "A", "a, b", nullopt},
        {"an escaped quote before a comma", "[Settings]\nG=\\\"a,b\\\"\n", "G", nullopt, nullopt},
        {"C escapes", "[Settings]\nA=tab\\there\\nnl\\x1\\x31\\x61\n", "A",
         "tab\there\nnl\x01"
         "1a",
         nullopt},
        {"hexadecimal codes of any length", "[Settings]\nA=\\xe9\\x20ac!\\xa07\n", "A",
         "\xC3\xA9\xE2\x82\xAC!\xE0\xA8\x87", nullopt},
        {"octal codes", "[Settings]\nA=\\101\\377\\400\n", "A", "A\xC3\xBF\xC4\x80", nullopt},
        {"a surrogate pair", "[Settings]\nA=\\xd83d\\xde00\n", "A", "\xF0\x9F\x98\x80", nullopt},
        {"unknown escapes", "[Settings]\nA=a\\qb\\u1\\x\n", "A", "ab1", nullopt},
        {"an escaped space at the end", "[Settings]\nA=x\\ \n", "A", "x", nullopt},
        {"a continued line", "[Settings]\nA=x\\\ny\nB=1\n", "A", "xy", nullopt},
        {"a quoted line break", "[Settings]\nA=\"a\nb\"\n", "A", "a\nb", nullopt},
        {"UTF-8", "[Settings]\nA=/home/\xC3\xA9/\xE2\x82\xAC/\xF0\x9F\x98\x80\n", "A",
         "/home/\xC3\xA9/\xE2\x82\xAC/\xF0\x9F\x98\x80", nullopt},
        // A sequence cut short by the end of the value is left out.
        {"bytes that are not UTF-8",
         "[Settings]\nA=\xFF"
         "a\xC3(\xC3\n",
         "A",
         "\xEF\xBF\xBD"
         "a\xEF\xBF\xBD(",
         nullopt},
        {"a doubled @", "[Settings]\nA=@@at\n", "A", "@at", nullopt},
        {"an invalid value", "[Settings]\nA=@Invalid()\n", "A", nullopt, nullopt},
        {"a byte array", "[Settings]\nA=@ByteArray(7)\n", "A", "7", 7},
        {"an unclosed byte array", "[Settings]\nA=@ByteArray(7\n", "A", "@ByteArray(7", nullopt},
        {"a rectangle", "[Settings]\nA=@Rect(1 2 3 4)\n", "A", nullopt, nullopt},
        {"an unknown @ type", "[Settings]\nA=@Foo(x)\n", "A", "@Foo(x)", nullopt},
        // A byte array keeps each character's low byte and is read as UTF-8.
        {"a byte array of escaped UTF-8", "[Settings]\nA=@ByteArray(\\xc3\\xa9)\n", "A", "\xC3\xA9", nullopt},
        {"a byte array of UTF-8 text", "[Settings]\nA=@ByteArray(\xC3\xA9)\n", "A", "\xEF\xBF\xBD", nullopt},
        {"a byte array with a character past U+00FF", "[Settings]\nA=@ByteArray(a\\x20ac)\n", "A", "a?",
         nullopt},
        {"a byte array cut short", "[Settings]\nA=@ByteArray(\\xe2\\x82)\n", "A", "\xEF\xBF\xBD\xEF\xBF\xBD",
         nullopt},
        // Quotes and escapes do not interrupt a UTF-8 sequence.
        {"a UTF-8 sequence split by quotes", "[Settings]\nA=\"\xC3\"\"\xA9\"\n", "A", "\xC3\xA9", nullopt},
        {"a UTF-8 sequence split by an escape", "[Settings]\nA=\xC3\\n\xA9\n", "A", "\n\xC3\xA9", nullopt},
        {"a split UTF-8 sequence left unfinished", "[Settings]\nA=\xC3\"ab\"\n", "A",
         "\xEF\xBF\xBD"
         "b",
         nullopt},
        {"an invalid value with text in it", "[Settings]\nA=@Invalid(x)\n", "A", "@Invalid(x)", nullopt},
        {"a rectangle of two numbers", "[Settings]\nA=@Rect(1 2)\n", "A", "@Rect(1 2)", nullopt},
        {"a size of no numbers", "[Settings]\nA=@Size(a b)\n", "A", nullopt, nullopt},
        {"a point", "[Settings]\nA=@Point(1 2)\n", "A", nullopt, nullopt},
        {"a point with spaces inside", "[Settings]\nA=@Point( 1 2 )\n", "A", "@Point( 1 2 )", nullopt},
        {"escaped key characters", "[Settings]\n%41%U00e9=1\n", "A\xC3\xA9", "1", 1},
        {"a key with a bad escape", "[Settings]\nA%zz=3\n", "A%zz", "3", 3},
        {"a key character beyond U+FFFF", "[Settings]\n%UD83D%UDE00=1\n", "\xF0\x9F\x98\x80", "1", 1},
        {"a key with a byte that is not UTF-8", "[Settings]\nk\xC3=2\n", "k\xEF\xBF\xBD", "2", 2},
        {"spaces around a number", "[Settings]\nA=\" 7 \"\n", "A", " 7 ", 7},
        {"a plus sign", "[Settings]\nA=+7\n", "A", "+7", 7},
        {"two signs", "[Settings]\nA=+-7\n", "A", "+-7", nullopt},
        {"leading zeros", "[Settings]\nA=007\n", "A", "007", 7},
        {"a decimal point", "[Settings]\nA=7.0\n", "A", "7.0", nullopt},
        {"hexadecimal", "[Settings]\nA=0x10\n", "A", "0x10", nullopt},
        {"an exponent", "[Settings]\nA=1e3\n", "A", "1e3", nullopt},
        {"the smallest number", "[Settings]\nA=-2147483648\n", "A", "-2147483648", -2147483647 - 1},
        {"a number past 32 bits", "[Settings]\nA=2147483648\n", "A", "2147483648", nullopt},
        {"a huge line", "[Settings]\nA=" + hugeValue + "\nB=1\n", "A", hugeValue, nullopt},
        {"the line after a huge line", "[Settings]\nA=" + hugeValue + "\nB=1\n", "B", "1", 1},
    };
}
