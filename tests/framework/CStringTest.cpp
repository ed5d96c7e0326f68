#include "CString.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <functional>
#include <thread>

namespace {

long Refs(const CString& s) {
    return (reinterpret_cast<const CStringData*>(static_cast<const char*>(s)) - 1)->nRefs;
}

TEST(CStringCopyOnWrite, EveryMutatorLeavesOtherCopiesAlone) {
    const std::pair<const char*, std::function<void(CString&)>> mutators[] = {
        {"SetAt", [](CString& s) { s.SetAt(2, '#'); }},
        {"append", [](CString& s) { s += '!'; }},
        {"assign text", [](CString& s) { s = "other"; }},
        {"MakeUpper", [](CString& s) { s.MakeUpper(); }},
        {"MakeLower", [](CString& s) { s.MakeLower(); }},
        {"TrimLeft", [](CString& s) { s.TrimLeft(); }},
        {"TrimRight", [](CString& s) { s.TrimRight(' '); }},
        {"Replace char", [](CString& s) { s.Replace('o', '0'); }},
        {"Replace text", [](CString& s) { s.Replace("World", "All"); }},
        {"Format", [](CString& s) { s.Format("%d", 7); }},
        {"GetBuffer",
         [](CString& s) {
             s.GetBuffer(0)[2] = '#';
             s.ReleaseBuffer();
         }},
        {"ReleaseBuffer", [](CString& s) { s.ReleaseBuffer(3); }},
        {"GetBufferSetLength", [](CString& s) { s.GetBufferSetLength(4); }},
    };
    for (const auto& [name, mutate] : mutators) {
        SCOPED_TRACE(name);
        CString original("  Hello World  ");
        CString copy(original);
        EXPECT_EQ(static_cast<const char*>(original), static_cast<const char*>(copy));
        mutate(copy);
        EXPECT_STREQ("  Hello World  ", original);
        EXPECT_EQ(15, original.GetLength());
        EXPECT_NE(original, copy);
        EXPECT_EQ(1, Refs(original));
    }
}

TEST(CStringEmpty, OneStaticBlockIsSharedAndNeverFreed) {
    CString empty;
    const char* shared = empty;
    {
        CString text("abc");
        text.Empty();
        CString fromNull(nullptr), fromNone("abc", 0), repeatedNone('x', 0), trimmed("  ");
        trimmed.TrimLeft();
        for (const CString* s : {&text, &fromNull, &fromNone, &repeatedNone, &trimmed}) {
            EXPECT_EQ(shared, static_cast<const char*>(*s));
        }
    }
    EXPECT_EQ(-1, Refs(empty));
    EXPECT_STREQ("", empty);
}

TEST(CStringEmpty, EmptyBlockOfAnotherModuleIsKnownByItsCount) {
    struct {
        CStringData header;
        char terminator;
    } foreign = {{-1, 0, 0}, '\0'};
    CString s;
    char* chars = foreign.header.data();
    std::memcpy(static_cast<void*>(&s), &chars, sizeof chars);
    {
        CString copy(s);
        CString assigned;
        assigned = s;
        assigned += s;
        s.MakeUpper();
        s.ReleaseBuffer();
    }
    EXPECT_EQ(-1, foreign.header.nRefs);
    EXPECT_EQ(chars, static_cast<const char*>(s));
}

TEST(CStringThreads, CopiesMadeAndDroppedOnTwoThreadsKeepTheCount) {
    CString shared("shared between threads");
    const char* buffer = shared;
    std::atomic<int> faults{0};
    auto churn = [&] {
        for (int i = 0; i < 100000; ++i) {
            CString copy(shared);
            CString other;
            other = copy;
            other.SetAt(0, 'S');
            if (copy != "shared between threads" || other != "Shared between threads") {
                ++faults;
            }
        }
    };
    std::thread a(churn), b(churn);
    a.join();
    b.join();
    EXPECT_EQ(0, faults);
    EXPECT_EQ(1, Refs(shared));
    EXPECT_EQ(buffer, shared.GetBuffer(0));
}

TEST(CStringExtract, MidLeftRightClampTheirArguments) {
    const CString s("0123456789");
    const std::pair<CString, const char*> cases[] = {
        {s.Mid(-5), "0123456789"}, {s.Mid(INT_MAX), ""},
        {s.Mid(8, 5), "89"},       {s.Mid(-2, 3), "012"},
        {s.Mid(4, -1), ""},        {s.Mid(INT_MIN, INT_MAX), "0123456789"},
        {s.Left(-1), ""},          {s.Left(INT_MAX), "0123456789"},
        {s.Right(3), "789"},       {s.Right(INT_MIN), ""},
    };
    for (const auto& [got, want] : cases) {
        EXPECT_STREQ(want, got);
        EXPECT_EQ(static_cast<int>(std::strlen(want)), got.GetLength());
    }
}

TEST(CStringFind, StartPositionAndLimits) {
    const CString s("abcabc");
    EXPECT_EQ(4, s.Find('b', 2));
    EXPECT_EQ(-1, s.Find('b', 5));
    EXPECT_EQ(-1, s.Find('b', INT_MAX));
    EXPECT_EQ(-1, s.Find('\0'));
    EXPECT_EQ(3, s.Find("abc", 1));
    EXPECT_EQ(4, s.Find("bc", 4));
    EXPECT_EQ(-1, s.Find("abcabcd"));
    EXPECT_EQ(6, s.Find("", 6));
    EXPECT_EQ(-1, s.Find("", 7));
    EXPECT_EQ(1, CString("aab").Find("ab"));
    EXPECT_EQ(4, s.ReverseFind('b'));
    EXPECT_EQ(-1, CString().ReverseFind('\0'));
}

TEST(CStringReplace, GrowsShrinksAndEmpties) {
    CString s("a.b.c");
    EXPECT_EQ(2, s.Replace(".", "<->"));
    EXPECT_EQ("a<->b<->c", s);
    EXPECT_EQ(2, s.Replace("<->", ""));
    EXPECT_EQ("abc", s);
    EXPECT_EQ(1, s.Replace("abc", nullptr));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(0, s.Replace("", "x"));
    EXPECT_EQ(0, s.Replace(nullptr, "x"));
    CString path("C:\\a\\b\\");
    EXPECT_EQ(3, path.Replace('\\', '/'));
    EXPECT_EQ("C:/a/b/", path);
}

TEST(CStringReplace, MatchesDoNotOverlapAndAreNotRescanned) {
    CString s("aaa");
    EXPECT_EQ(1, s.Replace("aa", "b"));
    EXPECT_EQ("ba", s);
    s = "abab";
    EXPECT_EQ(2, s.Replace("ab", "abab"));
    EXPECT_EQ("abababab", s);
}

TEST(CStringReplace, ArgumentsMayPointIntoTheStringItself) {
    CString s("ab");
    EXPECT_EQ(1, s.Replace("b", s));
    EXPECT_EQ("aab", s);
    CString t("abcabc");
    EXPECT_EQ(2, t.Replace(static_cast<const char*>(t) + 3, "X"));
    EXPECT_EQ("XX", t);
}

TEST(CStringFormat, LongResultsAndStringArguments) {
    const CString name('n', 1200);
    CString s;
    s.Format("%s=%d;%s", static_cast<const char*>(name), 42, "tail");
    EXPECT_EQ(1200 + 8, s.GetLength());
    EXPECT_EQ(name + "=42;tail", s);
    s.Format("[%s]", static_cast<const char*>(s));
    EXPECT_EQ("[" + name + "=42;tail]", s);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringCompare, OrderAndNullOnEitherSide) {
    const CString abc("abc"), empty;
    EXPECT_TRUE(abc == "abc" && "abc" == abc && abc != "abd" && "abd" != abc);
    EXPECT_TRUE(abc < "abd" && "abd" > abc && CString("ab") < abc && abc <= "abc" && "abc" >= abc);
    EXPECT_TRUE(CString("\xE9") > "z");
    EXPECT_TRUE(empty == nullptr && nullptr == empty && abc != nullptr && nullptr != abc);
    EXPECT_TRUE(nullptr < abc && abc > nullptr && empty <= nullptr && nullptr >= empty);
}

TEST(CStringCompare, NoCaseFoldsAsciiLettersToLowerCase) {
    EXPECT_EQ(0, CString("C:\\Windows\\Temp").CompareNoCase("c:\\WINDOWS\\temp"));
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("ABD").CompareNoCase("abc"), 0);
    EXPECT_LT(CString("AB").CompareNoCase("abc"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);
    EXPECT_NE(0, CString("\xC9").CompareNoCase("\xE9"));
    EXPECT_EQ(0, CString().CompareNoCase(nullptr));
}

TEST(CStringAppend, SourceMayBeTheStringItself) {
    CString s("ab");
    s += s;
    s += s;
    EXPECT_EQ("abababab", s);
    CString roomy("xy");
    roomy.GetBuffer(64);
    roomy.ReleaseBuffer();
    roomy += roomy;
    roomy += static_cast<const char*>(roomy) + 2;
    EXPECT_EQ("xyxyxy", roomy);
    roomy = static_cast<const char*>(roomy) + 1;
    EXPECT_EQ("yxyxy", roomy);
    EXPECT_EQ("(yxyxy)!", '(' + roomy + ")" + '!');
    EXPECT_EQ("yxyxy", nullptr + roomy + nullptr);
}

TEST(CStringBuffer, GetBufferKeepsTheTextAndReleaseBufferMeasuresIt) {
    CString s("C:\\Temp");
    char* p = s.GetBuffer(260);
    EXPECT_STREQ("C:\\Temp", p);
    std::strcat(p, "\\file.txt");
    s.ReleaseBuffer();
    EXPECT_EQ("C:\\Temp\\file.txt", s);
    s.GetBuffer(0)[2] = '\0';
    s.ReleaseBuffer(-1);
    EXPECT_EQ(2, s.GetLength());
    std::memcpy(s.GetBufferSetLength(3), "xyz", 3);
    EXPECT_EQ("xyz", s);
}

TEST(CStringBuffer, ReleaseBufferStaysInsideTheBuffer) {
    CString s;
    char* p = s.GetBuffer(4);
    std::memset(p, 'x', 5);
    s.ReleaseBuffer();
    EXPECT_EQ(CString('x', 4), s);
    s.GetBuffer(4);
    s.ReleaseBuffer(1000);
    EXPECT_EQ(4, s.GetLength());
    CString empty;
    empty.GetBuffer(0)[0] = '\0';
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CStringBounds, OutOfRangeArgumentsReadAndWriteNothing) {
    CString s("abc");
    EXPECT_EQ('\0', s.GetAt(-1));
    EXPECT_EQ('\0', s[3]);
    s.SetAt(3, 'x');
    s.SetAt(-1, 'x');
    EXPECT_EQ("abc", s);
    EXPECT_TRUE(CString(nullptr, 5).IsEmpty() && CString("abc", -1).IsEmpty());
    EXPECT_TRUE(CString('x', -3).IsEmpty());
    EXPECT_EQ(2, CString("a\0b", 3).Find('b'));
    s += nullptr;
    EXPECT_EQ("abc", s);
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringCase, TrimAndCaseChangeTouchOnlyTheirCharacters) {
    CString s("\t  a b\xE9 \r\n");
    s.TrimLeft();
    s.TrimRight();
    s.MakeUpper();
    EXPECT_EQ("A B\xE9", s);
    CString number("000120");
    number.TrimLeft('0');
    number.TrimRight('0');
    EXPECT_EQ("12", number);
}

} // namespace
