#!/usr/bin/env python3
"""Shows a window titled TITLE on $DISPLAY until it is killed: x-window.py TITLE

Plain Xlib through ctypes, so that it needs no fonts, toolkit or resources of its own."""
import ctypes
import ctypes.util
import signal
import sys

x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XCreateSimpleWindow.restype = ctypes.c_ulong
x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
    [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2
x.XStoreName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
x.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

display = x.XOpenDisplay(None)
if not display:
    sys.exit("x-window.py: cannot open the display")
window = x.XCreateSimpleWindow(display, x.XDefaultRootWindow(display), 0, 0, 100, 50, 0, 0, 0)
x.XStoreName(display, window, sys.argv[1].encode())
x.XMapWindow(display, window)
x.XSync(display, 0)
signal.pause()
