#include "core/views/ics_text.h"

namespace orbelquint {
namespace {

// The octets a folded line may hold, its line end not counted.
constexpr std::size_t kLineOctets = 75;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string IcsText(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '\\':
                text += "\\\\";
                break;
            case ';':
                text += "\\;";
                break;
            case ',':
                text += "\\,";
                break;
            case '\n':
                text += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) text += c;
        }
    }
    return text;
}

void AppendContentLine(std::string& file, std::string_view line) {
    // The first line holds 75 octets; a following one 74 after its leading blank.
    for (std::size_t room = kLineOctets; line.size() > room; room = kLineOctets - 1) {
        std::size_t cut = room;
        while (cut > 0 && IsContinuationByte(line[cut]))
            --cut;
        file.append(line.substr(0, cut));
        file += "\r\n ";
        line.remove_prefix(cut);
    }
    file.append(line);
    file += "\r\n";
}

}  // namespace orbelquint
