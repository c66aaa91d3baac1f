#pragma once
// The backend for tests and for rendering without a display: top-level
// windows live only in their in-memory surfaces, input is injected through
// the window layer's Inject* calls, monitors are scripted, and any window or
// the whole screen can be written to a PNG file.
#include "platform/wm/Backend.h"

#include <string>
#include <vector>

namespace tovrel {

class THeadlessBackend : public TBackend {
public:
    THeadlessBackend();

    std::vector<TMonitor> Monitors() override { return monitors_; }
    void SetMonitors(std::vector<TMonitor> monitors) { monitors_ = std::move(monitors); }
    bool LayeredWindowsAvailable() override { return layered_; }
    void SetLayeredWindowsAvailable(bool available) { layered_ = available; }
    void SetCursorShape(TCursorShape shape) override { cursor_ = shape; }
    TCursorShape CursorShape() const { return cursor_; }

    // The visible top-level windows drawn bottom to top over a black screen of
    // the monitors' extent, each cut to its window region; with layered windows
    // available, per-pixel alpha and constant opacity blend. 24-bit.
    TSurface ComposeScreen() const;

private:
    std::vector<TMonitor> monitors_;
    bool layered_ = false;
    TCursorShape cursor_ = TCursorShape::Arrow;
};

// Writes one top-level window's surface, or the composed screen, as a PNG.
// Throw EImageError or a file error on failure.
void SaveWindowPng(HWND topLevel, const std::string& path);
void SaveScreenPng(const THeadlessBackend& backend, const std::string& path);

} // namespace tovrel
