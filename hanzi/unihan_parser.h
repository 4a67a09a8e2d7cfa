#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <string>
#include <vector>

// Reads the tab-separated Unihan text files (`U+XXXX<TAB>field<TAB>value` lines, '#' comments)
// and gathers, for each code point with a kMandarin reading, what the character table holds.
namespace unihan {

struct Record {
    // kMandarin, kTGHZ2013, kXHC1983 and kHanyuPinyin values in that order, without repeats.
    std::vector<std::string> readings;
    // readings[nameReading] is the reading in a name: the first toned kMandarin value that
    // kTGHZ2013 has too, else the first toned kTGHZ2013 value, else the first toned kMandarin
    // value, then kXHC1983 value, else the first kMandarin value.
    std::size_t nameReading = 0;
    // readings[0 .. modernReadings) come from kMandarin, kTGHZ2013 and kXHC1983.
    std::size_t modernReadings = 0;
    int strokes = 0;
    bool generalStandard = false;
    std::string definition;
};

class Parser final {
public:
    // Feeds one file; the files may come in any order.
    void read(std::istream& in);

    // The covered code points in ascending order. Throws std::runtime_error on a line it
    // cannot read.
    std::map<char32_t, Record> records() const;

private:
    // The raw values of the fields the table uses, for every code point that has any.
    struct Fields {
        std::string mandarin;
        std::string tghz2013;
        std::string xhc1983;
        std::string hanyuPinyin;
        std::string totalStrokes;
        std::string definition;
        bool hasMandarin = false;
        bool hasTghz2013 = false;
    };

    std::map<char32_t, Fields> m_fields;
};

} // namespace unihan
