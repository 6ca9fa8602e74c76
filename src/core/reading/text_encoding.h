#pragma once

#include <string>
#include <string_view>

namespace orbelquint {

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points beyond
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// A text from a data file as UTF-8: unchanged when it already is valid UTF-8, otherwise decoded
// from Windows-1252, whose five undefined bytes stand for the code point of the same number.
std::string DataTextToUtf8(std::string_view bytes);

// The text a reader sees of a piece of HTML in UTF-8: tags left out, character references
// (&eacute; &#233; &#xE9;) decoded, a reference that is none kept as written. A plain-text copy,
// for a calendar say; the week page keeps its bytes.
std::string ReadableText(std::string_view html);

}  // namespace orbelquint
