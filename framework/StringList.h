// An ordered list of strings.
#pragma once

#include "CString.h"

#include <vector>

class CStringList {
public:
    void AddTail(const CString& text) { m_items.push_back(text); }
    void RemoveAll() { m_items.clear(); }
    int GetCount() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    const CString& GetAt(int index) const { return m_items[size_t(index)]; }
    std::vector<CString>::const_iterator begin() const { return m_items.begin(); }
    std::vector<CString>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<CString> m_items;
};
