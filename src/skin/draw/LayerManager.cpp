// Glow layers and their fade.
#include "skin/draw/LayerManager.h"

#include "platform/wm/Wm.h"
#include "skin/data/PlatformEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

constexpr const char* LayerWindowClass = "TskLayerWindow";
constexpr ULONG_PTR FadeTimerId = 1;

void RegisterLayerWindowClass(WNDPROC proc)
{
    static const bool registered = [proc] {
        WNDCLASSEX wc;
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = proc;
        wc.lpszClassName = LayerWindowClass;
        return RegisterClassEx(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

void UpdateLayeredWindowBmp(const TskBitmap& bmp, std::uint8_t alpha, HWND window)
{
    const auto update = SkinPlatformEntries().UpdateLayeredWindow;
    if (update == nullptr)
        return;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const TPoint at{bounds.Left, bounds.Top};
    const TSize size{bmp.Width(), bmp.Height()};
    const TPoint origin{0, 0};
    TskBlendFunction blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = alpha;
    blend.AlphaFormat = AC_SRC_ALPHA;
    update(window, nullptr, &at, &size, bmp.DC(), &origin, 0, &blend, ULW_ALPHA);
}

LRESULT TskLayerManager::LayerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == FadeTimerId) {
            if (auto* manager = reinterpret_cast<TskLayerManager*>(GetWindowLongPtr(hwnd, GWLP_USERDATA)))
                manager->FadeStep();
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

TskLayerManager::~TskLayerManager()
{
    DestroyLayerWindow();
}

void TskLayerManager::DestroyLayerWindow()
{
    if (layerWindow_ == nullptr)
        return;
    KillTimer(layerWindow_, FadeTimerId);
    timerEnabled_ = false;
    SetWindowLongPtr(layerWindow_, GWLP_USERDATA, 0);
    DestroyWindow(layerWindow_);
    layerWindow_ = nullptr;
}

void TskLayerManager::Show(int x, int y, const TskBitmap& image, const TskBitmap& mask, int alphaBlendValue)
{
    if (!IsWindows2000OrLater())
        return;
    if (layerWindow_ != nullptr)
        Hide();
    isVisible_ = true;
    RegisterLayerWindowClass(LayerWindowProc);
    layerWindow_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, LayerWindowClass, "", WS_POPUP, x, y,
                                  image.Width(), image.Height(), nullptr, nullptr, nullptr, nullptr);
    if (layerWindow_ == nullptr)
        return;
    SetWindowLongPtr(layerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtr(layerWindow_, GWL_EXSTYLE, GetWindowLongPtr(layerWindow_, GWL_EXSTYLE) | WS_EX_LAYERED);
    bmp_ = std::make_unique<TskBitmap>();
    bmp_->Assign(image);
    TskBitmap alphaMask;
    alphaMask.Assign(mask);
    SetAlphaFromMask(*bmp_, alphaMask);
    UpdateLayeredWindowBmp(*bmp_, 0, layerWindow_);
    SetWindowPos(layerWindow_, TopMostMode ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    endAlpha_ = alphaBlendValue;
    stepAlpha_ = alphaBlendValue / 10 == 0 ? 1 : alphaBlendValue / 10;
    StartTimer();
}

void TskLayerManager::Hide()
{
    if (!IsWindows2000OrLater())
        return;
    StopTimer();
    bmp_.reset();
    isVisible_ = false;
    if (layerWindow_ == nullptr)
        return;
    SetWindowPos(layerWindow_, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    DestroyLayerWindow();
}

void TskLayerManager::StartTimer()
{
    beginAlpha_ = 0;
    if (layerWindow_ != nullptr && SetTimer(layerWindow_, FadeTimerId, FadeIntervalMs, nullptr) != 0)
        timerEnabled_ = true;
}

void TskLayerManager::StopTimer()
{
    if (layerWindow_ != nullptr)
        KillTimer(layerWindow_, FadeTimerId);
    timerEnabled_ = false;
}

void TskLayerManager::FadeStep()
{
    if (!bmp_ || layerWindow_ == nullptr)
        return;
    beginAlpha_ += stepAlpha_;
    if (beginAlpha_ > endAlpha_)
        beginAlpha_ = endAlpha_;
    UpdateLayeredWindowBmp(*bmp_, std::uint8_t(beginAlpha_), layerWindow_);
    if (beginAlpha_ == endAlpha_)
        StopTimer();
}

} // namespace tovrel
