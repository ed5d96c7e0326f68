// Presses a button (OK unless told otherwise) on the message box with the given caption that the
// window under test is about to show, and remembers its text. The answering thread is running
// once the object is made.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(const char* caption, int waitMs = 10000, int button = IDOK)
        : m_thread([this, caption, waitMs, button] {
              m_started = true;
              for (int waited = 0; waited < waitMs && !m_done; waited += 20) {
                  if (HWND box = FindWindowA("#32770", caption)) {
                      char text[256] = {};
                      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                      m_text = text;
                      PostMessageA(box, WM_COMMAND, button, 0);
                      return;
                  }
                  Sleep(20);
              }
          }) {
        while (!m_started)
            Sleep(1);
    }
    ~MessageBoxAnswerer() { Stop(); }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::string Text() {
        Stop();
        return m_text;
    }

private:
    void Stop() {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    std::atomic<bool> m_started{false};
    std::atomic<bool> m_done{false};
    std::string m_text;
    std::thread m_thread;
};
