#include "ProfileLists.h"

#include <cstdint>

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A reader of JSON that keeps only what it is asked for: the keys of the object at one path of
// keys. Anything malformed ends the reading; what was found until then stays.
class JsonKeys {
public:
    JsonKeys(const std::string& text, std::vector<std::string> path)
        : m_text(text), m_path(std::move(path)) {}

    std::vector<std::string> Read() {
        SkipSpace();
        Value(0, true);
        return m_found;
    }

private:
    static constexpr int kMaxDepth = 64;

    void SkipSpace() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    bool Take(char c) {
        SkipSpace();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    static void AppendUtf8(std::string& out, uint32_t code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | code >> 6);
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | code >> 12);
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | code >> 18);
            out += char(0x80 | (code >> 12 & 0x3F));
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    bool Hex4(uint32_t& code) {
        if (m_at + 4 > m_text.size())
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            code = code << 4 | uint32_t(digit);
        }
        return true;
    }

    // A string, its escapes resolved; a lone surrogate becomes U+FFFD.
    bool String(std::string& out) {
        if (!Take('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size())
                return false;
            const char escape = m_text[m_at++];
            uint32_t code = 0;
            switch (escape) {
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                if (!Hex4(code))
                    return false;
                if (code >= 0xD800 && code < 0xDC00 && m_at + 1 < m_text.size() &&
                    m_text[m_at] == '\\' && m_text[m_at + 1] == 'u') {
                    m_at += 2;
                    uint32_t low = 0;
                    if (!Hex4(low))
                        return false;
                    code = low >= 0xDC00 && low < 0xE000
                               ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)
                               : 0xFFFD;
                } else if (code >= 0xD800 && code < 0xE000) {
                    code = 0xFFFD;
                }
                AppendUtf8(out, code);
                break;
            default:
                out += escape;
                break;
            }
        }
        return false;
    }

    // `onPath` tells whether this value lies on the path asked for, `depth` how many keys of the
    // path lead here.
    bool Value(size_t depth, bool onPath) {
        if (depth > kMaxDepth)
            return false;
        SkipSpace();
        if (m_at >= m_text.size())
            return false;
        const char c = m_text[m_at];
        if (c == '{')
            return Object(depth, onPath);
        if (c == '[') {
            ++m_at;
            if (Take(']'))
                return true;
            do {
                if (!Value(depth + 1, false))
                    return false;
            } while (Take(','));
            return Take(']');
        }
        if (c == '"') {
            std::string ignored;
            return String(ignored);
        }
        const size_t start = m_at;
        while (m_at < m_text.size() &&
               std::string("{}[],: \t\r\n\"").find(m_text[m_at]) == std::string::npos)
            ++m_at;
        return m_at > start;
    }

    bool Object(size_t depth, bool onPath) {
        ++m_at;
        const bool wanted = onPath && depth == m_path.size();
        if (Take('}'))
            return true;
        do {
            std::string key;
            if (!String(key) || !Take(':'))
                return false;
            if (wanted)
                m_found.push_back(key);
            const bool next = onPath && depth < m_path.size() && key == m_path[depth];
            if (!Value(depth + 1, next))
                return false;
        } while (Take(','));
        return Take('}');
    }

    const std::string& m_text;
    std::vector<std::string> m_path;
    size_t m_at = 0;
    std::vector<std::string> m_found;
};

} // namespace

std::vector<IniProfile> FirefoxProfiles(const std::string& profilesIni) {
    std::vector<IniProfile> profiles;
    bool inProfile = false;
    IniProfile current;
    bool hasPath = false;
    auto finish = [&] {
        if (inProfile && hasPath)
            profiles.push_back(current);
        current = IniProfile();
        hasPath = false;
    };
    size_t start = profilesIni.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start <= profilesIni.size()) {
        size_t end = profilesIni.find('\n', start);
        if (end == std::string::npos)
            end = profilesIni.size();
        const std::string line = Trimmed(profilesIni.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            finish();
            inProfile = line.compare(0, 8, "[Profile") == 0;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inProfile || equals == std::string::npos)
            continue;
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        if (key == "Path") {
            current.path = value;
            hasPath = !value.empty();
        } else if (key == "IsRelative") {
            current.relative = value == "1";
        }
    }
    finish();
    return profiles;
}

std::vector<std::string> ChromiumProfileNames(const std::string& localState) {
    return JsonKeys(localState, {"profile", "info_cache"}).Read();
}
