#include "tool_window.h"

#include "platform/drawing.h"
#include "platform/product_name.h"
#include "platform/runtime_error.h"
#include "platform/twips.h"
#include "platform/win32/gdi_canvas.h"

namespace flurb::platform::win32 {
namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;  // WS_CAPTION holds the thin border
constexpr DWORD kExtendedStyle = WS_EX_TOOLWINDOW;
constexpr WORD kProgramIcon = 1;

// The window classes carry the product's name without its spaces and the window's role.
std::wstring className(const wchar_t* role) {
  std::wstring name = wideText(productName());
  std::erase(name, L' ');
  return name + role;
}

void registerClasses(HINSTANCE instance, WNDPROC windowProcedure, WNDPROC focusBoxProcedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  const std::wstring windowClassName = className(L"Window");
  windowClass.lpszClassName = windowClassName.c_str();
  WNDCLASSEXW focusBoxClass = windowClass;
  focusBoxClass.lpfnWndProc = focusBoxProcedure;
  focusBoxClass.hIcon = nullptr;
  const std::wstring focusBoxClassName = className(L"FocusBox");
  focusBoxClass.lpszClassName = focusBoxClassName.c_str();
  if (RegisterClassExW(&windowClass) == 0 || RegisterClassExW(&focusBoxClass) == 0) {
    throw RuntimeError("the window classes cannot be registered");
  }
}

// The object behind a window, given to it when it is created. The API carries pointers in
// integers here.
ToolWindow* ownerOf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation =
        reinterpret_cast<CREATESTRUCTW*>(lParam);  // NOLINT(performance-no-int-to-ptr)
    auto* owner = static_cast<ToolWindow*>(creation->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return owner;
  }
  return reinterpret_cast<ToolWindow*>(  // NOLINT(performance-no-int-to-ptr)
      GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND createToolWindow(HINSTANCE instance, const std::u16string& caption, ToolWindow* owner,
                      WNDPROC windowProcedure, WNDPROC focusBoxProcedure) {
  registerClasses(instance, windowProcedure, focusBoxProcedure);
  HWND window = CreateWindowExW(kExtendedStyle, className(L"Window").c_str(),
                                reinterpret_cast<const wchar_t*>(caption.c_str()), kStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                nullptr, instance, owner);
  if (window == nullptr) {
    throw RuntimeError("the window cannot be created");
  }
  return window;
}

// The frame GDI will draw around a client area at this resolution.
FrameExtents frameAround(UINT dotsPerInch) {
  RECT rect{0, 0, 0, 0};
  AdjustWindowRectExForDpi(&rect, kStyle, FALSE, kExtendedStyle, dotsPerInch);
  return {-rect.left, rect.right, -rect.top, rect.bottom};
}

}  // namespace

ToolWindow::ToolWindow(HINSTANCE instance, const std::u16string& caption)
    : instance_(instance),
      window_(createToolWindow(instance, caption, this, procedure<&ToolWindow::onWindowMessage>,
                               procedure<&ToolWindow::onFocusBoxMessage>)) {}

ToolWindow::~ToolWindow() {
  if (IsWindow(window_) != FALSE) {
    DestroyWindow(window_);
  }
}

double ToolWindow::devicePixelRatio() const {
  constexpr double kLogicalDotsPerInch = 96;
  return GetDpiForWindow(window_) / kLogicalDotsPerInch;
}

int ToolWindow::run(Window& model, const FocusBox& focusBox, const SystemColours& colours,
                    const ResourceStore& pictures, Events events) {
  model_ = &model;
  focusBox_ = &focusBox;
  colours_ = &colours;
  pictures_ = &pictures;
  events_ = std::move(events);
  model.setFrameExtents(frameAround(GetDpiForWindow(window_)));
  if (!runHandler(events_.onLoad, events_.reportError)) {
    return 1;
  }

  const double perPixel = model.twipsPerPixel();
  const FrameExtents& frame = model.frameExtents();
  const PixelSize client = model.clientPixels();
  SetWindowPos(window_, nullptr, twipsToPixels(model.left, perPixel),
               twipsToPixels(model.top, perPixel), client.width + frame.left + frame.right,
               client.height + frame.top + frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  const PixelRect box = focusBox.pixelRect();
  focusBoxWindow_ =
      CreateWindowExW(0, className(L"FocusBox").c_str(), L"", WS_CHILD | WS_VISIBLE, box.left,
                      box.top, box.width, box.height, window_, nullptr, instance_, this);
  if (focusBoxWindow_ == nullptr) {
    events_.reportError(runtimeErrorSentence(RuntimeError("the focus box cannot be created")));
    return 1;
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  SetFocus(focusBoxWindow_);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return exitStatus_;
}

template <ToolWindow::MessageHandler Handler>
LRESULT CALLBACK ToolWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ToolWindow* owner = ownerOf(window, message, lParam);
  if (owner == nullptr || owner->model_ == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return (owner->*Handler)(window, message, wParam, lParam);
}

LRESULT ToolWindow::onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paintClientArea();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_SETFOCUS:
      // A click anywhere activates the window; the focus goes straight back to the focus box.
      if (focusBoxWindow_ != nullptr) {
        SetFocus(focusBoxWindow_);
      }
      return 0;
    case WM_SYSCOMMAND:
      // Alt or F10 alone, or Alt with a letter, would enter the system menu's keyboard mode
      // (and beep): the keys after it would go to the menu, not to the cards. Closing, Alt+F4
      // included, still goes on.
      if ((wParam & 0xFFF0U) == SC_KEYMENU) {
        return 0;
      }
      break;
    case WM_DPICHANGED:
      // The message carries the suggested window rectangle as a pointer.
      followResolution(
          HIWORD(wParam),
          *reinterpret_cast<const RECT*>(lParam));  // NOLINT(performance-no-int-to-ptr)
      return 0;
    case WM_DESTROY:
      PostQuitMessage(exitStatus_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// On a monitor of another resolution the window keeps its logical size: the client area and the
// focus box take on that resolution's device pixels, the frame its thickness there, and the
// window the place Windows suggests.
void ToolWindow::followResolution(UINT dotsPerInch, const RECT& suggested) {
  constexpr double kLogicalDotsPerInch = 96;
  model_->setDevicePixelRatio(dotsPerInch / kLogicalDotsPerInch);
  model_->setFrameExtents(frameAround(dotsPerInch));
  const FrameExtents& frame = model_->frameExtents();
  const PixelSize client = model_->clientPixels();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top,
               client.width + frame.left + frame.right, client.height + frame.top + frame.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (focusBoxWindow_ != nullptr) {
    const PixelRect box = focusBox_->pixelRect();
    SetWindowPos(focusBoxWindow_, nullptr, box.left, box.top, box.width, box.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT ToolWindow::onFocusBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      auto keyCode = static_cast<std::int16_t>(wParam);
      std::int16_t shift = currentShiftState();
      if (runHandler([&] { events_.onKeyDown(keyCode, shift); }, events_.reportError)) {
        InvalidateRect(window_, nullptr, FALSE);
      } else {
        endAfterError();
      }
      // Never swallowed: the desktop's own handling (Alt+F4 closes) goes on.
      break;
    }
    case WM_PAINT:
      paintFocusBox();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ToolWindow::paintClientArea() const {
  PAINTSTRUCT paint{};
  HDC screen = BeginPaint(window_, &paint);
  // Drawn off screen first, so a card never shows half-built.
  const PixelSize client = model_->clientPixels();
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.width, client.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  {
    GdiCanvas canvas(memory);
    paintWindow(canvas, *model_, *colours_, *pictures_);
  }
  BitBlt(screen, 0, 0, client.width, client.height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(window_, &paint);
}

void ToolWindow::paintFocusBox() const {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(focusBoxWindow_, &paint);
  GdiCanvas canvas(dc);
  const PixelRect box = focusBox_->pixelRect();
  canvas.fillRect({0, 0, box.width, box.height}, resolveColour(focusBox_->backColor, *colours_));
  EndPaint(focusBoxWindow_, &paint);
}

void ToolWindow::endAfterError() {
  exitStatus_ = 1;
  DestroyWindow(window_);
}

}  // namespace flurb::platform::win32
