// The main window's size in pixels, read by the program and by tools/draw-art.
#pragma once

#define MAIN_WINDOW_WIDTH 594
#define MAIN_WINDOW_HEIGHT 385
// The dark band at the top of the background, which drags the window like a caption.
#define DRAG_BAND_HEIGHT 37

// The background bitmap is one row taller than the window.
#define BACKGROUND_WIDTH 594
#define BACKGROUND_HEIGHT 386
