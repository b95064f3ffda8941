#include "app/lock_state.h"

#include <QGuiApplication>

// Xlib defines names (None, Status, Bool, KeyRelease) that Qt uses too: it
// comes after Qt, in a file that uses nothing else of Qt.
#include <X11/XKBlib.h>

namespace {

bool NamedIndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    return atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) &&
           on;
}

}  // namespace

LockState ReadLockState() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return {};
    }
    return {NamedIndicatorOn(display, "Caps Lock"), NamedIndicatorOn(display, "Num Lock"),
            NamedIndicatorOn(display, "Scroll Lock")};
}
