#pragma once

#include <string>

// GBK bytes of the characters the naming tests use.
namespace gbk_literals {
inline const std::string wang = "\xCD\xF5";      // 王
inline const std::string mei = "\xC3\xC0";       // 美
inline const std::string li = "\xC0\xF6";        // 丽
inline const std::string bei = "\xB1\xB1";       // 北
inline const std::string an = "\xB0\xB1";        // 氨
inline const std::string beiLow = "\xB1\xB0";    // 卑
inline const std::string fullComma = "\xA3\xAC"; // ，
inline const std::string fullStop = "\xA1\xA3";  // 。
} // namespace gbk_literals
