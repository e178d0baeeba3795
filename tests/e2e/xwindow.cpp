// A small X11 helper for the end-to-end tests and the start-up measurement:
//   xwindow wait NAME TIMEOUT_MS    prints the id of the first viewable top-level window
//                                   titled NAME and the milliseconds waited for it
//   xwindow list NAME               prints the ids of all viewable windows titled NAME
//   xwindow painted ID TIMEOUT_MS   waits until the window shows a drawn picture (many
//                                   colours, not an empty background) and prints the
//                                   wall-clock time then, in nanoseconds since 1970
//   xwindow close ID                asks the window to close the way a window manager's
//                                   close box does (WM_DELETE_WINDOW), no window manager needed
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string WindowName(Display* display, Window window) {
    // Qt sets the UTF-8 _NET_WM_NAME as well as WM_NAME; WM_NAME is enough for ASCII titles.
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

void Collect(Display* display, Window parent, const std::string& name, std::vector<Window>& found) {
    Window root = 0;
    Window parentOut = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) {
        return;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && WindowName(display, children[i]) == name) {
            found.push_back(children[i]);
        }
        Collect(display, children[i], name, found);
    }
    if (children != nullptr) {
        XFree(children);
    }
}

std::vector<Window> Find(Display* display, const std::string& name) {
    std::vector<Window> found;
    Collect(display, DefaultRootWindow(display), name, found);
    return found;
}

// Distinct pixel values in the window's image, counted up to `enough`.
int ColourCount(Display* display, Window window, int enough) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width <= 0) {
        return 0;
    }
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return 0;
    }
    std::vector<unsigned long> seen;
    for (int y = 0; y < attributes.height && static_cast<int>(seen.size()) < enough; y += 3) {
        for (int x = 0; x < attributes.width && static_cast<int>(seen.size()) < enough; x += 3) {
            const unsigned long pixel = XGetPixel(image, x, y);
            bool known = false;
            for (unsigned long value : seen) {
                known = known || value == pixel;
            }
            if (!known) {
                seen.push_back(pixel);
            }
        }
    }
    XDestroyImage(image);
    return static_cast<int>(seen.size());
}

int Close(Display* display, Window window) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: xwindow wait NAME TIMEOUT_MS | list NAME | close ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "xwindow: cannot open the display\n");
        return 2;
    }
    const std::string command = argv[1];
    int status = 0;
    if (command == "wait" && argc >= 4) {
        const auto start = std::chrono::steady_clock::now();
        const long timeoutMs = std::strtol(argv[3], nullptr, 10);
        status = 1;
        for (;;) {
            const std::vector<Window> found = Find(display, argv[2]);
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count();
            if (!found.empty()) {
                std::printf("%lu %ld\n", static_cast<unsigned long>(found.front()),
                            static_cast<long>(waited));
                status = 0;
                break;
            }
            if (waited > timeoutMs) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } else if (command == "painted" && argc >= 4) {
        const auto start = std::chrono::steady_clock::now();
        const long timeoutMs = std::strtol(argv[3], nullptr, 10);
        const Window window = static_cast<Window>(std::strtoul(argv[2], nullptr, 10));
        status = 1;
        for (;;) {
            // A finished report brings pictures, text and rules: far more than 40 colours.
            if (ColourCount(display, window, 40) >= 40) {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                status = 0;
                break;
            }
            if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(timeoutMs)) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    } else if (command == "list") {
        for (Window window : Find(display, argv[2])) {
            std::printf("%lu\n", static_cast<unsigned long>(window));
        }
    } else if (command == "close") {
        status = Close(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 10)));
    } else {
        status = 2;
    }
    XCloseDisplay(display);
    return status;
}
