#pragma once
// The figures a run hands to other programs: one flat JSON object, one
// number a key, in the order the figures were set.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

class JsonFigures {
public:
    // Sets `key` (a later value replaces an earlier one, in its place).
    // Values JSON cannot hold (infinities, not-a-number) leave the key out.
    void Set(const std::string& key, double value);
    bool Has(const std::string& key) const;
    // {"key": number, ...} and a line break.
    std::string Text() const;
    // Writes Text() to `path`; false when it cannot be written.
    bool WriteFile(const std::string& path) const;

private:
    std::vector<std::pair<std::string, double>> m_figures;
};

// The number as JSON writes it: nine significant digits, with an exponent
// only for very large or very small figures.
std::string JsonNumber(double value);
