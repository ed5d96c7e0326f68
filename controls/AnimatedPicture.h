// A static control that shows a picture from memory or from the program's resources. A GIF
// stream of several frames is played by a drawing thread of the control's own; anything else
// the system's picture loader reads is drawn once. The control takes the picture's size.
#pragma once

#include "Controls.h"
#include "Handle.h"

#include <ole2.h>
#include <olectl.h>

#include <memory>
#include <vector>

inline void ReleasePicture(IPicture* picture) {
    picture->Release();
}
using PictureHandle = UniqueHandle<NullIsInvalid<IPicture*, ReleasePicture>>;

struct AnimationFrame {
    PictureHandle picture;
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    // Hundredths of a second; all ones when the frame has no graphic control extension.
    uint32_t delay = 0xFFFFFFFF;
    int disposal = 0;
};

class CAnimatedPicture : public CStatic {
public:
    CAnimatedPicture();
    ~CAnimatedPicture() override;

    bool LoadFromResource(const char* name, const char* type);
    bool LoadFromMemory(HGLOBAL block, DWORD size);
    // 1 when a still picture was drawn; 0 when an animation started or nothing is loaded.
    int Play();
    void Stop();
    void Unload();

    size_t FrameCount() const;
    // The frame the drawing thread shows.
    int CurrentFrame() const;
    bool IsPlaying() const;

    PictureHandle m_picture;
    bool m_isGif = false;
    int m_width = 0;
    int m_height = 0;
    RECT m_paintRect = {};
    bool m_ready = false;
    KernelHandle m_drawThread;

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // The frames, the canvas and the signals, shared with the drawing thread: a thread that a
    // Stop gave up waiting for still finds them whole when it wakes, and frees them as it ends.
    struct Scene;

    static DWORD WINAPI DrawThread(LPVOID scene);
    bool LoadGif(const BYTE* data, DWORD size);
    bool PrepareCanvas(int width, int height);

    std::shared_ptr<Scene> m_scene;
};
