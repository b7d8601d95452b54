#!/usr/bin/env python3
"""Asks an X window to close, as a window manager's close button does.

Usage: close_window.py <window id>   (decimal or 0x hex; the display is $DISPLAY)

Sends the WM_PROTOCOLS client message with WM_DELETE_WINDOW to the window, so the
program handles an ordinary close request. Exits 1 when the display cannot be opened
or the window does not take part in that protocol.
"""
import ctypes
import sys

CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0
CURRENT_TIME = 0


class XClientMessageData(ctypes.Union):
    _fields_ = [("b", ctypes.c_char * 20), ("s", ctypes.c_short * 10), ("l", ctypes.c_long * 5)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", XClientMessageData),
    ]


class XEvent(ctypes.Union):
    # Xlib's XEvent is padded to 24 longs; XSendEvent copies that much.
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: close_window.py <window id>\n")
        return 2
    window = int(argv[1], 0)

    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                     ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                     ctypes.POINTER(ctypes.c_int)]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(None)
    if not display:
        sys.stderr.write("close_window.py: cannot open the display\n")
        return 1
    try:
        wm_protocols = xlib.XInternAtom(display, b"WM_PROTOCOLS", False)
        wm_delete = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", False)

        protocols = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_int(0)
        supported = False
        if xlib.XGetWMProtocols(display, window, ctypes.byref(protocols), ctypes.byref(count)):
            supported = any(protocols[i] == wm_delete for i in range(count.value))
            xlib.XFree(protocols)
        if not supported:
            sys.stderr.write("close_window.py: window 0x%x does not accept WM_DELETE_WINDOW\n" % window)
            return 1

        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = wm_protocols
        event.xclient.format = 32
        event.xclient.data.l[0] = wm_delete
        event.xclient.data.l[1] = CURRENT_TIME
        if not xlib.XSendEvent(display, window, False, NO_EVENT_MASK, ctypes.byref(event)):
            sys.stderr.write("close_window.py: the event could not be sent\n")
            return 1
        xlib.XSync(display, False)
        return 0
    finally:
        xlib.XCloseDisplay(display)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
