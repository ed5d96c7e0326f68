// The members of the browsers of today, one per browser and kind of trace.
#include "BrowserTraces.h"
#include "Silently.h"
#include "VxMain.h"

void CVxMain::DelChromeHistory() {
    Silently([] { CleanBrowser(VxBrowser::Chrome, BrowserTrace::History); });
}

void CVxMain::DelChromeCache() {
    Silently([] { CleanBrowser(VxBrowser::Chrome, BrowserTrace::Cache); });
}

void CVxMain::DelChromeCookies() {
    Silently([] { CleanBrowser(VxBrowser::Chrome, BrowserTrace::Cookies); });
}

void CVxMain::DelChromeSession() {
    Silently([] { CleanBrowser(VxBrowser::Chrome, BrowserTrace::Session); });
}

void CVxMain::DelChromeFormData() {
    Silently([] { CleanBrowser(VxBrowser::Chrome, BrowserTrace::FormData); });
}

void CVxMain::DelChromePasswords() {
    Silently([] { CleanBrowser(VxBrowser::Chrome, BrowserTrace::Passwords); });
}

void CVxMain::DelEdgeHistory() {
    Silently([] { CleanBrowser(VxBrowser::Edge, BrowserTrace::History); });
}

void CVxMain::DelEdgeCache() {
    Silently([] { CleanBrowser(VxBrowser::Edge, BrowserTrace::Cache); });
}

void CVxMain::DelEdgeCookies() {
    Silently([] { CleanBrowser(VxBrowser::Edge, BrowserTrace::Cookies); });
}

void CVxMain::DelEdgeSession() {
    Silently([] { CleanBrowser(VxBrowser::Edge, BrowserTrace::Session); });
}

void CVxMain::DelEdgeFormData() {
    Silently([] { CleanBrowser(VxBrowser::Edge, BrowserTrace::FormData); });
}

void CVxMain::DelEdgePasswords() {
    Silently([] { CleanBrowser(VxBrowser::Edge, BrowserTrace::Passwords); });
}

void CVxMain::DelFirefoxHistory() {
    Silently([] { CleanBrowser(VxBrowser::Firefox, BrowserTrace::History); });
}

void CVxMain::DelFirefoxCache() {
    Silently([] { CleanBrowser(VxBrowser::Firefox, BrowserTrace::Cache); });
}

void CVxMain::DelFirefoxCookies() {
    Silently([] { CleanBrowser(VxBrowser::Firefox, BrowserTrace::Cookies); });
}

void CVxMain::DelFirefoxSession() {
    Silently([] { CleanBrowser(VxBrowser::Firefox, BrowserTrace::Session); });
}

void CVxMain::DelFirefoxFormData() {
    Silently([] { CleanBrowser(VxBrowser::Firefox, BrowserTrace::FormData); });
}

void CVxMain::DelFirefoxPasswords() {
    Silently([] { CleanBrowser(VxBrowser::Firefox, BrowserTrace::Passwords); });
}
