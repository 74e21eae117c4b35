#include "text_output.h"

#include <cstdio>

namespace cli {

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string JsonObject(const Fields& fields) {
    std::string json = "{";
    for (const auto& [name, value] : fields) {
        if (json.size() > 1)
            json += ',';
        json += JsonString(name);
        json += ':';
        json += JsonString(value);
    }
    json += '}';
    return json;
}

std::string TextLine(const Fields& fields) {
    std::string line;
    for (const auto& [name, value] : fields) {
        if (value.empty())
            continue;
        line += (line.empty() ? "" : "  ") + name + "=" + value;
    }
    return line;
}

}  // namespace cli
