#include "ui/dpi.h"

#include <initializer_list>
#include <type_traits>

#include "base/dpi.h"

namespace quillet::ui {

namespace {

template <class Fn>
Fn User32(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

struct DpiApi {
  using ContextFn = BOOL(WINAPI*)(HANDLE);
  using AwareFn = BOOL(WINAPI*)();
  using WindowFn = UINT(WINAPI*)(HWND);
  using SystemFn = UINT(WINAPI*)();
  using MetricFn = int(WINAPI*)(int, UINT);
  using ParamsFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  ContextFn set_context = User32<ContextFn>("SetProcessDpiAwarenessContext");
  AwareFn set_aware = User32<AwareFn>("SetProcessDPIAware");
  WindowFn for_window = User32<WindowFn>("GetDpiForWindow");
  SystemFn for_system = User32<SystemFn>("GetDpiForSystem");
  MetricFn metric = User32<MetricFn>("GetSystemMetricsForDpi");
  ParamsFn params = User32<ParamsFn>("SystemParametersInfoForDpi");
  AdjustFn adjust = User32<AdjustFn>("AdjustWindowRectExForDpi");
};

const DpiApi& Api() {
  static const DpiApi api;
  return api;
}

// The awareness contexts, as the system numbers them.
const auto kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const auto kPerMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

}  // namespace

void DeclareDpiAwareness() {
  const DpiApi& api = Api();
  // A manifest that declared it already makes these fail, which is as good.
  if (api.set_context && (api.set_context(kPerMonitorV2) || api.set_context(kPerMonitor))) return;
  if (api.set_aware) api.set_aware();
}

int SystemDpi() {
  if (Api().for_system) return static_cast<int>(Api().for_system());
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int d = screen ? GetDeviceCaps(screen, LOGPIXELSY) : base::kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return d > 0 ? d : base::kBaseDpi;
  }();
  return dpi;
}

int WindowDpi(HWND hwnd) {
  if (hwnd && Api().for_window)
    if (const UINT dpi = Api().for_window(hwnd)) return static_cast<int>(dpi);
  return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
  if (Api().metric) return Api().metric(index, static_cast<UINT>(dpi));
  return base::MulDivRound(GetSystemMetrics(index), dpi, SystemDpi());
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& m, int dpi) {
  m.cbSize = sizeof m;
  if (Api().params) return Api().params(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, static_cast<UINT>(dpi));
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) return false;
  const int from = SystemDpi();
  auto scale = [&](auto& v) { v = static_cast<std::remove_reference_t<decltype(v)>>(base::MulDivRound(v, dpi, from)); };
  for (LOGFONTW* f : {&m.lfCaptionFont, &m.lfSmCaptionFont, &m.lfMenuFont, &m.lfStatusFont, &m.lfMessageFont})
    scale(f->lfHeight);
  for (int* v : {&m.iBorderWidth, &m.iScrollWidth, &m.iScrollHeight, &m.iCaptionWidth, &m.iCaptionHeight,
                 &m.iSmCaptionWidth, &m.iSmCaptionHeight, &m.iMenuWidth, &m.iMenuHeight})
    scale(*v);
  return true;
}

bool AdjustWindowRectForDpi(RECT& r, DWORD style, bool menu, DWORD ex_style, int dpi) {
  if (Api().adjust) return Api().adjust(&r, style, menu, ex_style, static_cast<UINT>(dpi));
  return AdjustWindowRectEx(&r, style, menu, ex_style);
}

}  // namespace quillet::ui
