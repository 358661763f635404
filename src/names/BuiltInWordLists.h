#pragma once

#include <QByteArray>
#include <QStringList>

// The side of the keyword a padding word goes on. The values are the last digit of the word
// files' names (zul.1, zul3.2).
enum class WordSide { Beginning = 1, End = 2 };

// The kinds of web site the keyword constructor offers, each with its own two word lists.
namespace WebTypes {

inline constexpr int kCount = 6;

// "All", "Business", "Educational", "Fun", "Sports", "Custom", in the order of their indexes.
QStringList Names();
bool IsValid(int webType);

// The words shipped with the program for a web type and side, as comma-separated text. They are
// shown when the data folder holds no word file of that type and side; "Custom" has none.
QByteArray BuiltInWords(int webType, WordSide side);

} // namespace WebTypes
