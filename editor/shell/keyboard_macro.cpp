#include "editor/shell/keyboard_macro.h"

namespace {

// A character of a file written before characters were stored unsigned:
// the byte sign-extended over the whole word.
bool is_sign_extended_character(uint32_t word)
{
    return word >= 0xFFFFFF80u;
}

bool is_text_character(uint32_t word)
{
    return word != kMacroWordText &&
           (is_sign_extended_character(word) ||
            (word & kMacroFlagBits) == kMacroWordText);
}

} // namespace

bool IsRecordedMacroKey(int key)
{
    return (key >= 33 && key <= 40) || key == 45 || key == 46;
}

void AppendMacroEvent(std::vector<uint32_t>& words, uintptr_t value, uint32_t modifiers,
                      uint32_t flags)
{
    if (flags & kMacroWordText) {
        const char* text = reinterpret_cast<const char*>(value);
        for (; text && *text; ++text)
            words.push_back(kMacroWordText | static_cast<unsigned char>(*text));
        words.push_back(kMacroWordText);
        return;
    }
    if (flags & kMacroWordNumber) {
        words.push_back(kMacroWordNumber | (value & 0xFFFF));
        return;
    }
    if (flags & kMacroWordCommand) {
        words.push_back(flags | (modifiers & 0x3FFF0000u) | (value & 0xFFFF));
        return;
    }
    if (flags & kMacroWordKeyDown) {
        if (!IsRecordedMacroKey(static_cast<int>(value & 0xFF)))
            return;
        words.push_back(kMacroWordKeyDown | (modifiers & kMacroModifierBits) | (value & 0xFF));
        return;
    }
    // A typed character: only its byte, so that a character above 127
    // passed as a negative number stays a character.
    words.push_back((flags & kMacroWordFindKey) | (modifiers & kMacroModifierBits) | (value & 0xFF));
}

std::string MacroFileBytes(const std::vector<uint32_t>& words)
{
    std::string bytes;
    bytes.reserve(words.size() * 4);
    for (uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((w >> (8 * i)) & 0xFF);
    return bytes;
}

std::vector<uint32_t> MacroWordsOfBytes(const std::string& bytes)
{
    std::vector<uint32_t> words;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        uint32_t w = 0;
        for (int b = 0; b < 4; ++b)
            w |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + b])) << (8 * b);
        words.push_back(w);
    }
    return words;
}

std::vector<MacroStep> MacroStepsOfWords(const std::vector<uint32_t>& words)
{
    std::vector<MacroStep> steps;
    size_t i = 0;
    // The text run starting at i (its end word taken as well).
    auto take_text = [&words, &i]() {
        std::string text;
        while (i < words.size() && is_text_character(words[i]))
            text += static_cast<char>(words[i++] & 0xFF);
        if (i < words.size() && words[i] == kMacroWordText)
            ++i;
        return text;
    };
    auto take_number = [&words, &i]() {
        if (i < words.size() && (words[i] & kMacroFlagBits) == kMacroWordNumber)
            return static_cast<int>(words[i++] & 0xFFFF);
        return -1;
    };
    auto add_characters = [&steps](const std::string& text) {
        for (char c : text) {
            MacroStep s;
            s.kind = MacroStep::kCharacter;
            s.code = static_cast<unsigned char>(c);
            steps.push_back(s);
        }
    };

    while (i < words.size()) {
        const uint32_t w = words[i];
        MacroStep s;
        if (is_sign_extended_character(w)) {
            ++i;
            s.kind = MacroStep::kCharacter;
            s.code = static_cast<int>(w & 0xFF);
        } else if ((w & kMacroWordFindAction) == kMacroWordFindAction) {
            ++i;
            s.kind = MacroStep::kFind;
            s.code = static_cast<int>(w & 0xFFFF);
            s.options = (w >> 16) & 0x3FFF;
            s.text = take_text();
        } else if (w & kMacroWordCommand) {
            ++i;
            s.kind = MacroStep::kCommand;
            s.code = static_cast<int>(w & 0xFFFF);
            if (s.code == kMacroCmdTcpSend) {
                s.text = take_text();
                s.number = take_number();
            } else if (s.code == kMacroCmdTcpReceive) {
                s.number = take_number();
            }
        } else if (w & kMacroWordFindKey) {
            ++i;
            s.kind = MacroStep::kFindKey;
            s.code = static_cast<int>(w & 0xFF);
        } else if (w & kMacroWordText) {
            const size_t start = i;
            add_characters(take_text());
            // A word with the text flag and the number flag together is
            // neither a text character nor a text end: no recording writes
            // one, and it is skipped so that the reading goes on.
            if (i == start)
                ++i;
            continue;
        } else if (w & kMacroWordNumber) {
            ++i;
            if ((w & 0xFF) == 0)
                continue;
            s.kind = MacroStep::kCharacter;
            s.code = static_cast<int>(w & 0xFF);
        } else if (w & kMacroWordKeyDown) {
            ++i;
            s.kind = MacroStep::kKey;
            s.code = static_cast<int>(w & 0xFF);
            s.modifiers = static_cast<int>(w & kMacroModifierBits);
        } else {
            ++i;
            s.kind = MacroStep::kCharacter;
            s.code = static_cast<int>(w & 0xFF);
            s.modifiers = static_cast<int>(w & kMacroModifierBits);
        }
        steps.push_back(s);
    }
    return steps;
}
