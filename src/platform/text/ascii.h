#pragma once
// Letter case of the ASCII letters alone: file names and paths compare this
// way whatever the user's locale.

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
