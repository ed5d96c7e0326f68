// The highest version among the subkey names of a product's key. Needs no system header, so
// that it is also fuzzed natively.
#pragma once

#include <cstdlib>
#include <string>

// Names read as numbers ("11.0" beats "9.0"); among equal values the first offered wins, and a
// name that reads as no number above zero is passed over.
class HighestVersion {
public:
    void Offer(const char* name) {
        const double value = std::atof(name);
        if (value > m_best) {
            m_best = value;
            m_name = name;
        }
    }
    // Empty when no name was above zero.
    const std::string& Name() const { return m_name; }

private:
    double m_best = 0.0;
    std::string m_name;
};
