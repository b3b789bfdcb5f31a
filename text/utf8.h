#pragma once
// UTF-8 <-> UTF-16 at the platform boundary. Bytes that are not valid UTF-8 map to
// the lone surrogates U+DC80..U+DCFF and back, so a POSIX name survives the round
// trip unchanged whatever it holds.
#include <cstddef>
#include <string>
#include <string_view>

namespace mr {

std::u16string fromUtf8(std::string_view bytes);
std::string toUtf8(std::u16string_view text);
// toUtf8(text) appended to out.
void appendUtf8(std::string& out, std::u16string_view text);
// toUtf8(text).size(), without making the text.
size_t utf8Length(std::u16string_view text);

} // namespace mr
