// Reference-counted, copy-on-write ANSI string of the framework.
//
// The object is a single pointer to the characters; the header below sits just before them in
// the same block. Blocks come from the C runtime's malloc and go back through its free, so a
// CString may be created in one module and released in another: every module of the program
// shares the one heap of msvcrt.dll. The empty string is a static block with a negative count,
// one per module; any block with a negative count is never counted or freed, whichever module
// owns it.
#pragma once

#include <cstdarg>

struct CStringData {
    long nRefs; // shared by every copy; negative for a static block that is never freed
    int nDataLength;
    int nAllocLength; // characters the block holds, not counting the terminator

    char* data() { return reinterpret_cast<char*>(this + 1); }
};

class CString {
public:
    CString();
    CString(const CString& src);
    CString(const char* psz);
    // Copies exactly nLength characters, embedded zeros included.
    CString(const char* pch, int nLength);
    CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& src);
    CString& operator=(const char* psz);
    CString& operator=(char ch);

    int GetLength() const { return GetData()->nDataLength; }
    bool IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    // An index outside the string reads as '\0' and writes nothing.
    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);

    operator const char*() const { return m_pchData; }

    CString& operator+=(const CString& src);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Both return <0, 0 or >0 as strcmp does; CompareNoCase folds ASCII letters to lower case.
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    // Positions and counts are clamped to the string.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // ASCII letters only, whatever the code page.
    void MakeUpper();
    void MakeLower();

    void TrimLeft();
    void TrimRight();
    void TrimLeft(char chTarget);
    void TrimRight(char chTarget);

    // Index of the first match at or after nStart, or -1.
    int Find(char ch) const { return Find(ch, 0); }
    int Find(const char* pszSub) const { return Find(pszSub, 0); }
    int Find(char ch, int nStart) const;
    int Find(const char* pszSub, int nStart) const;
    int ReverseFind(char ch) const;

    // Both return the number of replacements; matches of pszOld are taken left to right and do
    // not overlap.
    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);

    void Format(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* pszFormat, va_list args);

    // Returns an unshared buffer of at least nMinBufLength characters plus the terminator,
    // holding the current text. After writing to it, call ReleaseBuffer before any other member.
    char* GetBuffer(int nMinBufLength);
    // A negative nNewLength takes the length up to the first '\0' within the buffer.
    void ReleaseBuffer(int nNewLength = -1);
    char* GetBufferSetLength(int nNewLength);

private:
    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Attach(CStringData* pData);
    void AssignCopy(const char* pch, int nLength);
    void AppendCopy(const char* pch, int nLength);
    void CopyBeforeWrite();
    static CString Concat(const char* a, int nA, const char* b, int nB);

    char* m_pchData;
};

inline bool operator==(const CString& a, const CString& b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const CString& b) {
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return a.Compare(b) != 0;
}
inline bool operator!=(const CString& a, const char* b) {
    return a.Compare(b) != 0;
}
inline bool operator!=(const char* a, const CString& b) {
    return b.Compare(a) != 0;
}
inline bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, const char* b) {
    return a.Compare(b) < 0;
}
inline bool operator<(const char* a, const CString& b) {
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, const char* b) {
    return a.Compare(b) > 0;
}
inline bool operator>(const char* a, const CString& b) {
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, const char* b) {
    return a.Compare(b) <= 0;
}
inline bool operator<=(const char* a, const CString& b) {
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, const char* b) {
    return a.Compare(b) >= 0;
}
inline bool operator>=(const char* a, const CString& b) {
    return b.Compare(a) <= 0;
}

// The whole text of a call that copies what fits into a buffer of the given size and says
// nothing of the rest: a text that fills the buffer may have been cut, so it is read again into
// a buffer twice as large. `read(buffer, size)` writes a terminated text.
template <typename Read> CString ReadWholeText(Read read) {
    CString text;
    for (int size = 256;; size *= 2) {
        char* buffer = text.GetBuffer(size - 1);
        buffer[0] = '\0';
        read(buffer, size);
        text.ReleaseBuffer();
        if (text.GetLength() < size - 1)
            return text;
    }
}
