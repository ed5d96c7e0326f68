// Drives the dialogs that the test's own thread runs modally: a script on a thread of its own
// waits for each dialog to appear, types into it and presses its buttons. The thread is running
// once the object is made; Finish waits for it and returns what went wrong, if anything.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class DialogScript {
public:
    explicit DialogScript(std::function<void(DialogScript&)> script)
        : m_thread([this, script] {
              m_started = true;
              script(*this);
          }) {
        while (!m_started)
            Sleep(1);
    }
    ~DialogScript() { Finish(); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    std::string Finish() {
        if (m_thread.joinable())
            m_thread.join();
        return m_failure;
    }

    // The visible dialog of this process that has a control `id` and `caption`, if given; on a
    // wait that runs out, every dialog of the process is cancelled so that the test goes on.
    HWND WaitFor(int id, const char* caption = nullptr) {
        for (int waited = 0; waited < 10000; waited += 20) {
            if (HWND dialog = Find(id, caption))
                return dialog;
            Sleep(20);
        }
        m_failure += "no dialog with control " + std::to_string(id) + " appeared; ";
        while (HWND dialog = Find(0, nullptr)) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            Sleep(50);
        }
        return nullptr;
    }

    // A message box of the program: its text is kept, and it is answered with `button`.
    std::string Answer(int button) {
        HWND box = WaitFor(0xFFFF, "Norvexa");
        if (!box)
            return "";
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        Press(box, button);
        WaitGone(box);
        return text;
    }

    static void Type(HWND dialog, int id, const std::string& text) {
        SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, LPARAM(text.c_str()));
    }
    static void Press(HWND dialog, int id) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     LPARAM(GetDlgItem(dialog, id)));
    }
    void WaitGone(HWND window) {
        for (int waited = 0; waited < 10000 && IsWindowVisible(window); waited += 10)
            Sleep(10);
    }

private:
    struct Search {
        int id;
        const char* caption;
        HWND found;
    };

    static BOOL CALLBACK Match(HWND window, LPARAM data) {
        auto& wanted = *reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = {}, text[256] = {};
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, text, sizeof text);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
            lstrcmpA(className, "#32770") != 0 || (wanted.id && !GetDlgItem(window, wanted.id)) ||
            (wanted.caption && lstrcmpA(text, wanted.caption) != 0))
            return TRUE;
        wanted.found = window;
        return FALSE;
    }

    static HWND Find(int id, const char* caption) {
        Search search{id, caption, nullptr};
        EnumWindows(Match, LPARAM(&search));
        return search.found;
    }

    std::atomic<bool> m_started{false};
    std::string m_failure;
    std::thread m_thread;
};
