#include "editor/shell/text_macros.h"

#include <algorithm>
#include <cstring>

std::vector<TextMacro> ParseTextMacros(std::string content)
{
    std::vector<TextMacro> macros;
    if (content.find('\r') != std::string::npos)
        content.erase(std::remove(content.begin(), content.end(), '\n'), content.end());
    else
        std::replace(content.begin(), content.end(), '\n', '\r');

    size_t pos = 0;
    while (macros.size() < static_cast<size_t>(kMaxTextMacros)) {
        size_t start = content.find("$macro", pos);
        if (start == std::string::npos)
            break;
        size_t name = std::min(start + 7, content.size());
        while (name < content.size() && (content[name] == ' ' || content[name] == '\t'))
            ++name;
        size_t nameEnd = content.find('\r', name);
        if (nameEnd == std::string::npos)
            break;
        TextMacro m;
        m.name = content.substr(name, std::min<size_t>(nameEnd - name, kMaxTextMacroName));
        size_t textStart = nameEnd + 1;
        size_t end = content.find("$endmacro", textStart);
        if (end == std::string::npos)
            break;
        // The line break before "$endmacro" is not part of the text.
        size_t textEnd = end > textStart ? end - 1 : textStart;
        m.text = content.substr(textStart, textEnd - textStart);
        macros.push_back(m);
        size_t lineEnd = content.find('\r', end);
        if (lineEnd == std::string::npos)
            break;
        pos = lineEnd + 1;
    }
    return macros;
}

std::vector<ActualizeEdit> PlanActualize(std::string& text, const std::vector<ActualizeKey>& keys)
{
    std::vector<ActualizeEdit> edits;
    // Which characters of text a replacement put there (1) and which came
    // from the document (0). A later key is not searched in inserted text:
    // a value that holds a later key would otherwise multiply its hits, and
    // a few such macros grow the text without bound.
    std::string inserted(text.size(), '\0');
    for (const ActualizeKey& k : keys) {
        if (k.key.empty() || k.value.empty())
            continue;
        size_t pos = 0;
        while ((pos = text.find(k.key, pos)) != std::string::npos) {
            const size_t after = pos + k.key.size();
            if (std::memchr(inserted.data() + pos, 1, after - pos)) {
                ++pos;
                continue;
            }
            size_t lineEnd = text.find_first_of("\r\n", after);
            if (lineEnd == std::string::npos)
                lineEnd = text.size();
            const size_t length = std::min(lineEnd - after, k.value.size());
            edits.push_back(ActualizeEdit{static_cast<int>(after), static_cast<int>(length), k.value});
            text.replace(after, length, k.value);
            inserted.replace(after, length, k.value.size(), '\1');
            pos = after + k.value.size();
        }
    }
    return edits;
}
