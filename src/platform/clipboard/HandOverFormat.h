#pragma once

#include <cstdio>
#include <optional>
#include <string>

// How the program hands its text to a keeper: on the keeper's standard
// input, the text's length in bytes in decimal digits, a line break, then the
// text in UTF-8, nothing after it; once the keeper holds the clipboard, it
// writes "kept" and a line break on its standard output. Both keepers read it
// here. No Qt: the Wayland keeper does without.

// The largest text a hand-over may carry.
constexpr unsigned long long HandOverLimit = 1ULL << 31;

// The text of a whole, well-formed hand-over from file, or nothing: a header
// that is not digits alone, a length of 0 or over the limit, a text shorter
// or longer than its length. Memory follows what arrives, not what the
// header claims.
std::optional<std::string> readHandOver(std::FILE *file);
