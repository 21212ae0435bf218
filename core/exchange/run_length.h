#pragma once
// Run-length packing of the project file's pixel stream. Tokens: a control byte 0x00-0x7F
// repeats the next byte control + 3 times; 0x80-0xFF copies (control & 0x7F) + 1 literal
// bytes. A packed length of 1 means "every byte equals this one", a packed length equal to
// the plain length means "plain copy".

#include <cstdint>
#include <span>

// Packs input into output (at least input.size() bytes; nothing is written past that).
// Returns the packed length: 1 (one-byte form), input.size() (plain copy) or the length
// of the token stream, 2 .. input.size() - 1. Empty input gives 0.
int PackRuns(std::span<std::uint8_t> output, std::span<const std::uint8_t> input);

// Unpacks into output (its size is the plain length). Returns the bytes written, -1 when
// the lengths are unusable (empty packed data or output, packed longer than output; output
// untouched), -2 when packed data remain after the output is full. Never reads past
// packed; a token cut off by its end stops decoding with the count written so far (the
// bytes of a cut-off literal that are there are copied first).
int UnpackRuns(std::span<std::uint8_t> output, std::span<const std::uint8_t> packed);
