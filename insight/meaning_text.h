#pragma once

#include <string>
#include <string_view>

// The 字义 of each character of a given name that has one, each character once, in order:
// "子：儿子，孩子；…｜腾：奔跑，跳跃；…"; empty when none has one.
std::string MeaningText(std::u32string_view given);
