#include "AnimatedPicture.h"

#include "GifWalk.h"
#include "WinApp.h"
#include "WindowHandle.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <optional>

namespace {

using GlobalBlock = UniqueHandle<NullIsInvalid<HGLOBAL, GlobalFree>>;

constexpr DWORD kStopWait = 5000;
constexpr size_t kScreenEnd = 13;

// The picture in `block`; with `streamOwnsBlock` the block is freed with the stream.
PictureHandle LoadPicture(HGLOBAL block, DWORD size, bool streamOwnsBlock) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, streamOwnsBlock, &stream))) {
        if (streamOwnsBlock)
            GlobalFree(block);
        return PictureHandle();
    }
    IPicture* picture = nullptr;
    const HRESULT loaded =
        OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    return PictureHandle(SUCCEEDED(loaded) ? picture : nullptr);
}

// The whole picture into the rectangle; its source is given in HIMETRIC, bottom up.
bool Render(IPicture* picture, HDC dc, int x, int y, int width, int height) {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    return SUCCEEDED(
        picture->Render(dc, x, y, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
}

// A GIF stream of the one frame: the source's header, screen and global colour table, the
// frame's bytes and the trailer.
PictureHandle LoadFrame(const BYTE* data, size_t headerSize, const GifFrame& frame) {
    const size_t frameSize = frame.end - frame.begin;
    const DWORD size = DWORD(headerSize + frameSize + 1);
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size);
    BYTE* target = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
    if (!target) {
        if (block)
            GlobalFree(block);
        return PictureHandle();
    }
    std::memcpy(target, data, headerSize);
    std::memcpy(target + headerSize, data + frame.begin, frameSize);
    target[size - 1] = 0x3B;
    GlobalUnlock(block);
    return LoadPicture(block, size, true);
}

} // namespace

struct CAnimatedPicture::Scene {
    explicit Scene(HWND control) : window(control) {}

    // With the canvas locked.
    void Fill(int left, int top, int areaWidth, int areaHeight, COLORREF colour) {
        const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
        const RECT area = {left, top, left + areaWidth, top + areaHeight};
        FillRect(canvasDC.Get(), &area, brush.Get());
    }
    void Dispose(const AnimationFrame& frame) {
        if (frame.disposal == 2) {
            Fill(frame.left, frame.top, frame.width, frame.height, background);
        } else if (frame.disposal == 3 && savedDC) {
            BitBlt(canvasDC.Get(), frame.left, frame.top, frame.width, frame.height, savedDC.Get(),
                   0, 0, SRCCOPY);
            savedDC.Reset();
            savedBitmap.Reset();
        }
    }
    void Save(const AnimationFrame& frame) {
        savedDC.Reset(CreateCompatibleDC(canvasDC.Get()));
        savedBitmap.Reset(CreateCompatibleBitmap(canvasDC.Get(), frame.width, frame.height));
        SelectObject(savedDC.Get(), savedBitmap.Get());
        BitBlt(savedDC.Get(), 0, 0, frame.width, frame.height, canvasDC.Get(), frame.left,
               frame.top, SRCCOPY);
    }
    void Animate();

    const HWND window;
    int width = 0;
    int height = 0;
    COLORREF background = RGB(255, 255, 255);
    std::vector<AnimationFrame> frames;
    std::mutex lock;
    GdiObject<HBITMAP> canvasBitmap;
    MemoryDcHandle canvasDC;
    GdiObject<HBITMAP> savedBitmap;
    MemoryDcHandle savedDC;
    std::atomic<int> currentFrame{0};
    std::atomic<bool> playing{false};
    std::atomic<bool> exitFlag{false};
    const KernelHandle stopEvent{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

// On the drawing thread. A frame is shown for its delay (100 ms below 5 hundredths); the wait
// ends at once when Stop signals, however long the delay.
void CAnimatedPicture::Scene::Animate() {
    playing = true;
    size_t index = size_t(int(currentFrame));
    {
        const std::lock_guard<std::mutex> guard(lock);
        Dispose(frames[index]);
    }
    while (!exitFlag) {
        const AnimationFrame& frame = frames[index];
        {
            const std::lock_guard<std::mutex> guard(lock);
            if (frame.disposal == 3)
                Save(frame);
            Render(frame.picture.Get(), canvasDC.Get(), frame.left, frame.top, frame.width,
                   frame.height);
        }
        InvalidateRect(window, nullptr, FALSE);
        if (exitFlag)
            break;
        const uint64_t wait = frame.delay < 5 ? 100 : uint64_t(frame.delay) * 10;
        WaitForSingleObject(stopEvent.Get(), DWORD(std::min<uint64_t>(wait, INFINITE - 1)));
        if (exitFlag)
            break;
        const std::lock_guard<std::mutex> guard(lock);
        Dispose(frame);
        if (++index == frames.size()) {
            index = 0;
            Fill(0, 0, width, height, background);
        }
        currentFrame = int(index);
    }
    playing = false;
}

BEGIN_MESSAGE_MAP(CAnimatedPicture, CStatic)
ON_MESSAGE(WM_PAINT, OnPaint)
ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

CAnimatedPicture::CAnimatedPicture() = default;

CAnimatedPicture::~CAnimatedPicture() {
    Unload();
}

size_t CAnimatedPicture::FrameCount() const {
    return m_scene ? m_scene->frames.size() : 0;
}

int CAnimatedPicture::CurrentFrame() const {
    return m_scene ? int(m_scene->currentFrame) : 0;
}

bool CAnimatedPicture::IsPlaying() const {
    return m_drawThread && m_scene && m_scene->playing;
}

bool CAnimatedPicture::LoadFromResource(const char* name, const char* type) {
    const HMODULE module = AfxGetResourceHandle();
    const HRSRC resource = FindResourceA(module, name, type);
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    if (!bytes || !size)
        return false;
    const GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size));
    void* copy = block ? GlobalLock(block.Get()) : nullptr;
    if (!copy)
        return false;
    std::memcpy(copy, bytes, size);
    GlobalUnlock(block.Get());
    return LoadFromMemory(block.Get(), size);
}

bool CAnimatedPicture::LoadFromMemory(HGLOBAL block, DWORD size) {
    Unload();
    const auto* data = static_cast<const BYTE*>(GlobalLock(block));
    if (!data)
        return false;
    m_scene = std::make_shared<Scene>(m_hWnd);
    m_isGif = size >= 3 && std::memcmp(data, "GIF", 3) == 0;
    bool loaded = true;
    if (m_isGif)
        loaded = LoadGif(data, size);
    GlobalUnlock(block);
    if (loaded && !m_isGif) {
        m_picture = LoadPicture(block, size, false);
        loaded = bool(m_picture);
        if (loaded) {
            OLE_XSIZE_HIMETRIC hmWidth = 0;
            OLE_YSIZE_HIMETRIC hmHeight = 0;
            m_picture.Get()->get_Width(&hmWidth);
            m_picture.Get()->get_Height(&hmHeight);
            const HDC screen = GetDC(m_hWnd);
            m_width = MulDiv(hmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
            m_height = MulDiv(hmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
            ReleaseDC(m_hWnd, screen);
        }
    }
    if (loaded && PrepareCanvas(m_width, m_height))
        return true;
    Unload();
    return false;
}

// Each frame is loaded from a stream of its own, so that whatever follows the last whole frame
// does not matter; a frame the loader refuses is left out. One frame is a still picture.
bool CAnimatedPicture::LoadGif(const BYTE* data, DWORD size) {
    const std::optional<GifStream> stream = WalkGif(data, size);
    if (!stream || stream->frames.empty())
        return false;
    m_width = stream->width;
    m_height = stream->height;
    const size_t headerSize = kScreenEnd + stream->globalTableSize;
    if (stream->frames.size() == 1) {
        m_picture = LoadFrame(data, headerSize, stream->frames[0]);
        return bool(m_picture);
    }
    for (const GifFrame& frame : stream->frames) {
        PictureHandle picture = LoadFrame(data, headerSize, frame);
        if (picture)
            m_scene->frames.push_back({std::move(picture), frame.width, frame.height, frame.left,
                                       frame.top, frame.delay, frame.disposal});
    }
    return !m_scene->frames.empty();
}

bool CAnimatedPicture::PrepareCanvas(int width, int height) {
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HDC screen = GetDC(m_hWnd);
    if (!screen)
        return false;
    Scene& scene = *m_scene;
    scene.canvasDC.Reset(CreateCompatibleDC(screen));
    scene.canvasBitmap.Reset(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(m_hWnd, screen);
    if (!scene.canvasDC || !scene.canvasBitmap)
        return false;
    SelectObject(scene.canvasDC.Get(), scene.canvasBitmap.Get());
    scene.width = width;
    scene.height = height;
    scene.background = GetSysColor(COLOR_BTNFACE);
    scene.Fill(0, 0, width, height, scene.background);
    m_ready = true;
    return true;
}

int CAnimatedPicture::Play() {
    if (!m_ready || m_drawThread)
        return 0;
    if (m_isGif && FrameCount() > 1) {
        auto* shared = new std::shared_ptr<Scene>(m_scene);
        m_drawThread.Reset(CreateThread(nullptr, 0, DrawThread, shared, CREATE_SUSPENDED, nullptr));
        if (m_drawThread)
            ResumeThread(m_drawThread.Get());
        else
            delete shared;
        return 0;
    }
    if (!m_picture)
        return 0;
    {
        const std::lock_guard<std::mutex> guard(m_scene->lock);
        if (!Render(m_picture.Get(), m_scene->canvasDC.Get(), 0, 0, m_width, m_height))
            return 0;
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

DWORD WINAPI CAnimatedPicture::DrawThread(LPVOID scene) {
    const std::unique_ptr<std::shared_ptr<Scene>> owned(
        static_cast<std::shared_ptr<Scene>*>(scene));
    (*owned)->Animate();
    return 0;
}

// A thread that has not ended after the usual wait keeps its scene; the control lets go of it
// and is left empty.
void CAnimatedPicture::Stop() {
    if (!m_scene)
        return;
    m_scene->exitFlag = true;
    SetEvent(m_scene->stopEvent.Get());
    if (m_drawThread) {
        const bool ended = WaitForSingleObject(m_drawThread.Get(), kStopWait) != WAIT_TIMEOUT;
        m_drawThread.Reset();
        if (!ended) {
            m_scene.reset();
            m_ready = false;
            return;
        }
    }
    ResetEvent(m_scene->stopEvent.Get());
    m_scene->exitFlag = false;
}

void CAnimatedPicture::Unload() {
    Stop();
    m_scene.reset();
    m_picture.Reset();
    m_paintRect = {};
    m_isGif = false;
    m_ready = false;
    m_width = m_height = 0;
}

LRESULT CAnimatedPicture::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_hWnd, &paint);
    if (m_scene) {
        const std::lock_guard<std::mutex> guard(m_scene->lock);
        if (m_scene->canvasDC) {
            const bool whole = IsRectEmpty(&m_paintRect);
            BitBlt(dc, 0, 0, whole ? m_width : m_paintRect.right - m_paintRect.left,
                   whole ? m_height : m_paintRect.bottom - m_paintRect.top, m_scene->canvasDC.Get(),
                   whole ? 0 : m_paintRect.left, whole ? 0 : m_paintRect.top, SRCCOPY);
        }
    }
    EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CAnimatedPicture::OnDestroy(WPARAM, LPARAM) {
    Stop();
    return Default();
}
