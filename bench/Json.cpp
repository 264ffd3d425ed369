#include "Json.h"

#include <cmath>

namespace {
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
}  // namespace

std::string JsonNumber(double value) {
    if (value == 0)
        return "0";  // also for -0, which some readers reject
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", value);
    return text;
}

void JsonFigures::Set(const std::string& key, double value) {
    for (auto it = m_figures.begin(); it != m_figures.end(); ++it)
        if (it->first == key) {
            if (std::isfinite(value))
                it->second = value;
            else
                m_figures.erase(it);
            return;
        }
    if (std::isfinite(value))
        m_figures.emplace_back(key, value);
}

bool JsonFigures::Has(const std::string& key) const {
    for (const auto& figure : m_figures)
        if (figure.first == key)
            return true;
    return false;
}

std::string JsonFigures::Text() const {
    std::string out = "{";
    for (std::size_t i = 0; i < m_figures.size(); ++i) {
        out += i == 0 ? "\n  " : ",\n  ";
        out += Quoted(m_figures[i].first) + ": " + JsonNumber(m_figures[i].second);
    }
    return out + (m_figures.empty() ? "}\n" : "\n}\n");
}

bool JsonFigures::WriteFile(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const std::string text = Text();
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}
