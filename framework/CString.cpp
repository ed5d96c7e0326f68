#include "CString.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

struct EmptyBlock {
    CStringData header;
    char terminator;
};
static_assert(offsetof(EmptyBlock, terminator) == sizeof(CStringData),
              "the characters must follow the header directly");

// Never written: every writing path first leaves a block with a negative count.
const EmptyBlock kEmpty = {{-1, 0, 0}, '\0'};

constexpr long long kMaxLength = INT_MAX - static_cast<long long>(sizeof(CStringData)) - 1;

char* EmptyChars() {
    return const_cast<char*>(&kEmpty.terminator);
}

bool IsStatic(const CStringData* d) {
    return __atomic_load_n(&d->nRefs, __ATOMIC_RELAXED) < 0;
}

// Acquire pairs with the release in Release, so that the reads of a copy that another thread has
// just dropped are finished before this thread writes in place.
bool IsUnshared(const CStringData* d) {
    return __atomic_load_n(&d->nRefs, __ATOMIC_ACQUIRE) == 1;
}

void AddRef(CStringData* d) {
    if (!IsStatic(d)) {
        __atomic_add_fetch(&d->nRefs, 1, __ATOMIC_RELAXED);
    }
}

void Release(CStringData* d) {
    if (!IsStatic(d) && __atomic_sub_fetch(&d->nRefs, 1, __ATOMIC_ACQ_REL) == 0) {
        std::free(d);
    }
}

// A block with room for nAlloc characters and the terminator, holding nLength characters whose
// content the caller fills in.
CStringData* AllocData(long long nLength, long long nAlloc) {
    if (nAlloc > kMaxLength) {
        throw std::bad_alloc();
    }
    auto* d = static_cast<CStringData*>(std::malloc(sizeof(CStringData) + nAlloc + 1));
    if (!d) {
        throw std::bad_alloc();
    }
    d->nRefs = 1;
    d->nDataLength = static_cast<int>(nLength);
    d->nAllocLength = static_cast<int>(nAlloc);
    d->data()[nLength] = '\0';
    return d;
}

const char* OrEmpty(const char* psz) {
    return psz ? psz : "";
}

int SafeLength(const char* psz) {
    return psz ? static_cast<int>(std::min<size_t>(std::strlen(psz), INT_MAX)) : 0;
}

bool IsSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

int FoldLower(unsigned char ch) {
    return ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : ch;
}

} // namespace

CString::CString() : m_pchData(EmptyChars()) {}

CString::CString(const CString& src) : m_pchData(EmptyChars()) {
    *this = src;
}

CString::CString(const char* psz) : m_pchData(EmptyChars()) {
    AssignCopy(psz, SafeLength(psz));
}

CString::CString(const char* pch, int nLength) : m_pchData(EmptyChars()) {
    if (pch && nLength > 0) {
        AssignCopy(pch, nLength);
    }
}

CString::CString(char ch, int nRepeat) : m_pchData(EmptyChars()) {
    if (nRepeat > 0) {
        CStringData* d = AllocData(nRepeat, nRepeat);
        std::memset(d->data(), ch, nRepeat);
        m_pchData = d->data();
    }
}

CString::~CString() {
    Release(GetData());
}

CString& CString::operator=(const CString& src) {
    if (m_pchData == src.m_pchData) {
        return *this;
    }
    if (IsStatic(src.GetData())) {
        Empty();
    } else {
        AddRef(src.GetData());
        Attach(src.GetData());
    }
    return *this;
}

CString& CString::operator=(const char* psz) {
    AssignCopy(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator=(char ch) {
    AssignCopy(&ch, 1);
    return *this;
}

void CString::Empty() {
    Release(GetData());
    m_pchData = EmptyChars();
}

char CString::GetAt(int nIndex) const {
    return nIndex >= 0 && nIndex < GetLength() ? m_pchData[nIndex] : '\0';
}

void CString::SetAt(int nIndex, char ch) {
    if (nIndex >= 0 && nIndex < GetLength()) {
        CopyBeforeWrite();
        m_pchData[nIndex] = ch;
    }
}

CString& CString::operator+=(const CString& src) {
    AppendCopy(src.m_pchData, src.GetLength());
    return *this;
}

CString& CString::operator+=(const char* psz) {
    AppendCopy(psz, SafeLength(psz));
    return *this;
}

CString& CString::operator+=(char ch) {
    AppendCopy(&ch, 1);
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    return CString::Concat(a, a.GetLength(), b, b.GetLength());
}

CString operator+(const CString& a, const char* b) {
    return CString::Concat(a, a.GetLength(), OrEmpty(b), SafeLength(b));
}

CString operator+(const char* a, const CString& b) {
    return CString::Concat(OrEmpty(a), SafeLength(a), b, b.GetLength());
}

CString operator+(const CString& a, char b) {
    return CString::Concat(a, a.GetLength(), &b, 1);
}

CString operator+(char a, const CString& b) {
    return CString::Concat(&a, 1, b, b.GetLength());
}

int CString::Compare(const char* psz) const {
    return std::strcmp(m_pchData, OrEmpty(psz));
}

int CString::CompareNoCase(const char* psz) const {
    const auto* a = reinterpret_cast<const unsigned char*>(m_pchData);
    const auto* b = reinterpret_cast<const unsigned char*>(OrEmpty(psz));
    for (;; ++a, ++b) {
        int ca = FoldLower(*a);
        int cb = FoldLower(*b);
        if (ca != cb || ca == 0) {
            return ca - cb;
        }
    }
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, INT_MAX);
}

CString CString::Mid(int nFirst, int nCount) const {
    int nLength = GetLength();
    nFirst = std::clamp(nFirst, 0, nLength);
    nCount = std::clamp(nCount, 0, nLength - nFirst);
    if (nFirst == 0 && nCount == nLength) {
        return *this;
    }
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const {
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

void CString::MakeUpper() {
    CopyBeforeWrite();
    for (int i = 0; i < GetLength(); ++i) {
        if (m_pchData[i] >= 'a' && m_pchData[i] <= 'z') {
            m_pchData[i] -= 'a' - 'A';
        }
    }
}

void CString::MakeLower() {
    CopyBeforeWrite();
    for (int i = 0; i < GetLength(); ++i) {
        if (m_pchData[i] >= 'A' && m_pchData[i] <= 'Z') {
            m_pchData[i] += 'a' - 'A';
        }
    }
}

void CString::TrimLeft() {
    int n = 0;
    while (n < GetLength() && IsSpace(m_pchData[n])) {
        ++n;
    }
    if (n > 0) {
        AssignCopy(m_pchData + n, GetLength() - n);
    }
}

void CString::TrimRight() {
    int n = GetLength();
    while (n > 0 && IsSpace(m_pchData[n - 1])) {
        --n;
    }
    if (n < GetLength()) {
        AssignCopy(m_pchData, n);
    }
}

void CString::TrimLeft(char chTarget) {
    int n = 0;
    while (n < GetLength() && m_pchData[n] == chTarget) {
        ++n;
    }
    if (n > 0) {
        AssignCopy(m_pchData + n, GetLength() - n);
    }
}

void CString::TrimRight(char chTarget) {
    int n = GetLength();
    while (n > 0 && m_pchData[n - 1] == chTarget) {
        --n;
    }
    if (n < GetLength()) {
        AssignCopy(m_pchData, n);
    }
}

int CString::Find(char ch, int nStart) const {
    int nLength = GetLength();
    if (nStart < 0 || nStart > nLength) {
        return -1;
    }
    const void* p = std::memchr(m_pchData + nStart, ch, nLength - nStart);
    return p ? static_cast<int>(static_cast<const char*>(p) - m_pchData) : -1;
}

int CString::Find(const char* pszSub, int nStart) const {
    int nLength = GetLength();
    int nSub = SafeLength(pszSub);
    if (nStart < 0 || nStart > nLength || nSub > nLength - nStart) {
        return -1;
    }
    if (nSub == 0) {
        return nStart;
    }
    const char* p = m_pchData + nStart;
    const char* last = m_pchData + nLength - nSub;
    while (p <= last) {
        p = static_cast<const char*>(std::memchr(p, pszSub[0], last - p + 1));
        if (!p) {
            return -1;
        }
        if (std::memcmp(p, pszSub, nSub) == 0) {
            return static_cast<int>(p - m_pchData);
        }
        ++p;
    }
    return -1;
}

int CString::ReverseFind(char ch) const {
    for (int i = GetLength() - 1; i >= 0; --i) {
        if (m_pchData[i] == ch) {
            return i;
        }
    }
    return -1;
}

int CString::Replace(char chOld, char chNew) {
    int i = Find(chOld);
    if (chOld == chNew || i < 0) {
        return 0;
    }
    CopyBeforeWrite();
    int nCount = 0;
    for (; i < GetLength(); ++i) {
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
    int nOld = SafeLength(pszOld);
    if (nOld == 0) {
        return 0;
    }
    int nCount = 0;
    for (int i = Find(pszOld); i >= 0; i = Find(pszOld, i + nOld)) {
        ++nCount;
    }
    if (nCount == 0) {
        return 0;
    }
    pszNew = OrEmpty(pszNew);
    int nNew = SafeLength(pszNew);
    long long nResult = GetLength() + static_cast<long long>(nCount) * (nNew - nOld);
    if (nResult == 0) {
        Empty();
        return nCount;
    }
    // Built in a new block: either argument may point into this string's own characters.
    CStringData* d = AllocData(nResult, nResult);
    char* out = d->data();
    int from = 0;
    for (int i = Find(pszOld); i >= 0; i = Find(pszOld, i + nOld)) {
        std::memcpy(out, m_pchData + from, i - from);
        out += i - from;
        std::memcpy(out, pszNew, nNew);
        out += nNew;
        from = i + nOld;
    }
    std::memcpy(out, m_pchData + from, GetLength() - from);
    Attach(d);
    return nCount;
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args) {
    if (!pszFormat) {
        Empty();
        return;
    }
    va_list measure;
    va_copy(measure, args);
    int nLength = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (nLength <= 0) {
        Empty();
        return;
    }
    // The arguments may point into this string, so the old block stays until the text is written.
    CStringData* d = AllocData(nLength, nLength);
    std::vsnprintf(d->data(), nLength + 1, pszFormat, args);
    Attach(d);
}

char* CString::GetBuffer(int nMinBufLength) {
    nMinBufLength = std::max(nMinBufLength, 0);
    CStringData* d = GetData();
    if (!IsUnshared(d) || d->nAllocLength < nMinBufLength) {
        CStringData* copy = AllocData(d->nDataLength, std::max(nMinBufLength, d->nDataLength));
        std::memcpy(copy->data(), m_pchData, d->nDataLength);
        Attach(copy);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
    CopyBeforeWrite();
    CStringData* d = GetData();
    if (IsStatic(d)) {
        return;
    }
    if (nNewLength < 0) {
        const void* end = std::memchr(m_pchData, '\0', d->nAllocLength + 1);
        nNewLength =
            end ? static_cast<int>(static_cast<const char*>(end) - m_pchData) : d->nAllocLength;
    }
    d->nDataLength = std::min(nNewLength, d->nAllocLength);
    m_pchData[d->nDataLength] = '\0';
}

char* CString::GetBufferSetLength(int nNewLength) {
    nNewLength = std::max(nNewLength, 0);
    GetBuffer(nNewLength);
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
    return m_pchData;
}

// Releases the current block and takes over one reference to pData.
void CString::Attach(CStringData* pData) {
    Release(GetData());
    m_pchData = pData->data();
}

// pch may point into this string's own characters.
void CString::AssignCopy(const char* pch, int nLength) {
    if (nLength <= 0) {
        Empty();
        return;
    }
    CStringData* d = GetData();
    if (IsUnshared(d) && d->nAllocLength >= nLength) {
        std::memmove(m_pchData, pch, nLength);
        m_pchData[nLength] = '\0';
        d->nDataLength = nLength;
        return;
    }
    CStringData* copy = AllocData(nLength, nLength);
    std::memcpy(copy->data(), pch, nLength);
    Attach(copy);
}

// pch may point into this string's own characters, as in s += s.
void CString::AppendCopy(const char* pch, int nLength) {
    if (nLength <= 0) {
        return;
    }
    CStringData* d = GetData();
    int nOld = d->nDataLength;
    long long nTotal = static_cast<long long>(nOld) + nLength;
    if (IsUnshared(d) && d->nAllocLength >= nTotal) {
        std::memmove(m_pchData + nOld, pch, nLength);
        m_pchData[nTotal] = '\0';
        d->nDataLength = static_cast<int>(nTotal);
        return;
    }
    // Growing by half again keeps a loop of appends linear.
    long long nAlloc = std::max(nTotal, std::min(nOld + nOld / 2LL, kMaxLength));
    CStringData* grown = AllocData(nTotal, nAlloc);
    std::memcpy(grown->data(), m_pchData, nOld);
    std::memcpy(grown->data() + nOld, pch, nLength);
    Attach(grown);
}

void CString::CopyBeforeWrite() {
    CStringData* d = GetData();
    if (!IsStatic(d) && !IsUnshared(d)) {
        CStringData* copy = AllocData(d->nDataLength, d->nDataLength);
        std::memcpy(copy->data(), m_pchData, d->nDataLength);
        Attach(copy);
    }
}

CString CString::Concat(const char* a, int nA, const char* b, int nB) {
    CString result;
    long long nTotal = static_cast<long long>(nA) + nB;
    if (nTotal > 0) {
        CStringData* d = AllocData(nTotal, nTotal);
        std::memcpy(d->data(), a, nA);
        std::memcpy(d->data() + nA, b, nB);
        result.m_pchData = d->data();
    }
    return result;
}
